// The classes and attributes declared by a names file.
#pragma once

#include <string>
#include <vector>

enum class AttributeKind { Continuous, Discrete, Ignore };

struct Attribute {
    std::string name;
    AttributeKind kind = AttributeKind::Continuous;
    // Discrete values in declaration (or first-seen) order; value v of a
    // case is values[v - 1], and 0 means unknown.
    std::vector<std::string> values;
    // For "discrete N": the most values the data may add; 0 for a fixed list.
    int openValues = 0;
};

struct Schema {
    std::vector<std::string> classes;
    std::vector<Attribute> attributes;
};

// Reads STEM.names. Throws FileError ("cannot open file PATH", "cannot read
// file PATH") if the file cannot be opened or read, and InputError for a
// malformed declaration, an empty class name included ("PATH: no class
// names" for a class line that is a full stop alone).
Schema readNames(const std::string &path);
