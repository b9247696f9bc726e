// The log window: what C4.5 printed, up to its confusion-matrix block.
#pragma once

#include "window5_glade.h"

#include <string>
#include <vector>

class window5 : public window5_glade {
public:
    // Shows the lines up to, not including, the first line "<CM>", each ended by
    // a line feed.
    explicit window5(const std::vector<std::string> &outputLines);
};
