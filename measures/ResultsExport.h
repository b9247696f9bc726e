// The comma-separated export files: the training documents per category
// (from the text-processing side) and a run's per-category results with its
// effectiveness measures, and a per-category run's table. Lines end in "\n";
// only the per-category table has a header line. Each
// file replaces its predecessor as a whole; a file that cannot be written
// throws FileError and leaves any old file of that name as it was.
#pragma once

#include "c45/CategoryReport.h"
#include "c45/ConfusionMatrix.h"

#include <map>
#include <string>

// baseName + ".csv": one line per category in key order,
// "\"name\", count".
void exportCategoryDistribution(const std::map<std::string, int> &categories,
                                const std::string &baseName);

// baseName + ".csv": one line per matrix row, "\"name\", total, \"80.00\""
// with 100 x count(i, i) / total formatted "%.2f", or a bare 0 when the
// diagonal count is 0. Then baseName + "-mjere.csv": one measuresLine() per
// category followed by the six summaryLines() (computeMeasures without
// trace). The second file is not written when the first fails.
void exportRunResults(const ConfusionMatrix &matrix, const std::string &baseName);

// path, as named: the header
// "category,training,test,tp,fp,fn,tn,precision,recall,f1,size_after", one
// line per category in the run's order, then "micro" with the summed table
// and sizes and "macro" with only its rates. Rates have four decimals; an
// undefined one is an empty field.
void exportCategoryTable(const ParsedCategoryReport &run, const std::string &path);
