// The rule tables of the stemmer and the machine that applies them.
#include "corpus/Stemmer.h"

#include <cstring>
#include <initializer_list>

namespace {

using Condition = bool (*)(const char *stem);

struct SuffixRule {
    int id; // 0 ends a table
    const char *oldEnd;
    const char *newEnd;
    int oldOffset;   // length of oldEnd minus 1
    int newOffset;   // length of newEnd minus 1
    int minRootSize; // the stem's measure must exceed it
    Condition condition;
};

constexpr int lastIndex(const char *text) {
    int length = 0;
    while (text[length])
        ++length;
    return length - 1;
}

constexpr SuffixRule rule(int id, const char *oldEnd, const char *newEnd, int minRootSize,
                          Condition condition = nullptr) {
    return {id, oldEnd, newEnd, lastIndex(oldEnd), lastIndex(newEnd), minRootSize, condition};
}

constexpr SuffixRule endOfTable{0, "", "", 0, 0, 0, nullptr};

bool isVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

int measure(const char *stem) {
    enum { Start, Vowel, Consonant } state = Start;
    int count = 0;
    for (const char *p = stem; *p; ++p) {
        switch (state) {
        case Start:
            state = isVowel(*p) ? Vowel : Consonant;
            break;
        case Vowel:
            if (!isVowel(*p)) {
                state = Consonant;
                ++count;
            }
            break;
        case Consonant:
            if (isVowel(*p) || *p == 'y')
                state = Vowel;
            break;
        }
    }
    return count;
}

bool hasVowel(const char *stem) {
    if (!*stem)
        return false;
    if (isVowel(*stem))
        return true;
    for (const char *p = stem + 1; *p; ++p)
        if (isVowel(*p) || *p == 'y')
            return true;
    return false;
}

bool endsConsonantVowelConsonant(const char *stem) {
    const std::size_t length = std::strlen(stem);
    if (length < 3)
        return false;
    const char last = stem[length - 1];
    const char middle = stem[length - 2];
    const char first = stem[length - 3];
    return !std::strchr("aeiouwxy", last) && std::strchr("aeiouy", middle) && !isVowel(first);
}

bool needsFinalE(const char *stem) {
    return measure(stem) == 1 && endsConsonantVowelConsonant(stem);
}

bool dropsFinalE(const char *stem) {
    return measure(stem) == 1 && !endsConsonantVowelConsonant(stem);
}

const SuffixRule step1a[] = {
    rule(101, "sses", "ss", -1),
    rule(102, "ies", "i", -1),
    rule(103, "ss", "ss", -1),
    rule(104, "s", "", -1),
    endOfTable,
};

const SuffixRule step1b[] = {
    rule(105, "eed", "ee", 0),
    rule(106, "ed", "", -1, hasVowel),
    rule(107, "ing", "", -1, hasVowel),
    endOfTable,
};

const SuffixRule step1b1[] = {
    rule(108, "at", "ate", -1),
    rule(109, "bl", "ble", -1),
    rule(110, "iz", "ize", -1),
    rule(111, "bb", "b", -1),
    rule(112, "dd", "d", -1),
    rule(113, "ff", "f", -1),
    rule(114, "gg", "g", -1),
    rule(115, "mm", "m", -1),
    rule(116, "nn", "n", -1),
    rule(117, "pp", "p", -1),
    rule(118, "rr", "r", -1),
    rule(119, "tt", "t", -1),
    rule(120, "ww", "w", -1),
    rule(121, "xx", "x", -1),
    rule(122, "", "e", -1, needsFinalE),
    endOfTable,
};

const SuffixRule step1c[] = {
    rule(123, "y", "i", -1, hasVowel),
    endOfTable,
};

const SuffixRule step2[] = {
    rule(203, "ational", "ate", 0), rule(204, "tional", "tion", 0), rule(205, "enci", "ence", 0),
    rule(206, "anci", "ance", 0),   rule(207, "izer", "ize", 0),    rule(208, "abli", "able", 0),
    rule(209, "alli", "al", 0),     rule(210, "entli", "ent", 0),   rule(211, "eli", "e", 0),
    rule(213, "ousli", "ous", 0),   rule(214, "ization", "ize", 0), rule(215, "ation", "ate", 0),
    rule(216, "ator", "ate", 0),    rule(217, "alism", "al", 0),    rule(218, "iveness", "ive", 0),
    rule(219, "fulnes", "ful", 0),  rule(220, "ousness", "ous", 0), rule(221, "aliti", "al", 0),
    rule(222, "iviti", "ive", 0),   rule(223, "biliti", "ble", 0),  endOfTable,
};

const SuffixRule step3[] = {
    rule(301, "icate", "ic", 0), rule(302, "ative", "", 0),
    rule(303, "alize", "al", 0), rule(304, "iciti", "ic", 0),
    rule(305, "ical", "ic", 0),  rule(308, "ful", "", 0),
    rule(309, "ness", "", 0),    endOfTable,
};

const SuffixRule step4[] = {
    rule(401, "al", "", 1),    rule(402, "ance", "", 1), rule(403, "ence", "", 1),
    rule(405, "er", "", 1),    rule(406, "ic", "", 1),   rule(407, "able", "", 1),
    rule(408, "ible", "", 1),  rule(409, "ant", "", 1),  rule(410, "ement", "", 1),
    rule(411, "ment", "", 1),  rule(412, "ent", "", 1),  rule(423, "sion", "s", 1),
    rule(424, "tion", "t", 1), rule(415, "ou", "", 1),   rule(416, "ism", "", 1),
    rule(417, "ate", "", 1),   rule(418, "iti", "", 1),  rule(419, "ous", "", 1),
    rule(420, "ive", "", 1),   rule(421, "ize", "", 1),  endOfTable,
};

const SuffixRule step5a[] = {
    rule(501, "e", "", 1),
    rule(502, "e", "", -1, dropsFinalE),
    endOfTable,
};

const SuffixRule step5b[] = {
    rule(503, "ll", "l", 1),
    endOfTable,
};

// Tries the rows in order on word, whose last byte the machine takes to be at
// endIndex; the first row that matches and passes rewrites the ending.
int applyRuleTable(char *word, int &endIndex, const SuffixRule *table) {
    for (const SuffixRule *rule = table; rule->id != 0; ++rule) {
        const int ending = endIndex - rule->oldOffset;
        if (ending < 0)
            continue;
        // Most rows fail on the last letter; test it before the whole ending.
        if (rule->oldOffset >= 0 && word[endIndex] != rule->oldEnd[rule->oldOffset])
            continue;
        if (std::strcmp(word + ending, rule->oldEnd) != 0)
            continue;
        const char cut = word[ending];
        word[ending] = '\0';
        if (rule->minRootSize < measure(word) && (!rule->condition || rule->condition(word))) {
            std::strcpy(word + ending, rule->newEnd);
            endIndex = ending + rule->newOffset;
            return rule->id;
        }
        word[ending] = cut;
    }
    return 0;
}

} // namespace

bool stem(char *word) {
    for (char *p = word; *p; ++p) {
        if (*p >= 'A' && *p <= 'Z')
            *p = static_cast<char>(*p - 'A' + 'a');
        else if (*p < 'a' || *p > 'z')
            return false;
    }
    int endIndex = static_cast<int>(std::strlen(word)) - 1;
    applyRuleTable(word, endIndex, step1a);
    const int rule = applyRuleTable(word, endIndex, step1b);
    if (rule == 106 || rule == 107)
        applyRuleTable(word, endIndex, step1b1);
    for (const SuffixRule *table : {step1c, step2, step3, step4, step5a, step5b})
        applyRuleTable(word, endIndex, table);
    return true;
}
