// Porter's suffix-stripping stemmer in the workbench's table-driven form:
// nine ordered rule tables applied to a word in place. Its results are those
// of these tables, which differ from other published Porter variants in places
// (feed -> fe, toying -> toi, hopefulness -> hopeful).
#pragma once

// Lower-cases and stems the NUL-terminated word in place; the result is never
// longer than the input and may be empty (a lone "s"). Returns false, leaving
// the buffer partly lower-cased, as soon as a byte is not an ASCII letter.
bool stem(char *word);
