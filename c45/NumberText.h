// Number and label texts shared by the C4.5 page, the measures and the
// export files.
#pragma once

#include <optional>
#include <string>

// The float widened to double and written through a string stream with
// default settings: general notation, 6 significant digits, no trailing
// zeros (0.8333333 gives "0.833333", 2 gives "2", -1 gives "-1").
// The same bytes whatever the process locale.
std::string numberToString(float value);

// The value with the given number of decimals, as printf's "%.2f" writes it
// in the C locale ("80.00", "-nan"), whatever the process locale.
std::string fixedNumber(double value, int decimals);

// A number as a user types it: blanks around it allowed, a point or a comma
// as the decimal separator whatever the process locale ("12.5", " 12,5 ",
// "-3", "1e3"); nothing for an empty text, a second separator, anything else
// or a value that is not finite.
std::optional<double> readDecimal(const std::string &text);

// "<small><b>" + text + "</b></small>", the markup of every value label.
// '&', '<' and '>' in text are written as entities so that any text (for
// example a line of a hand-edited ".info" file) yields valid markup.
std::string smallBoldMarkup(const std::string &text);
