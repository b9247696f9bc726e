// Writes a chart of a typical series, to look at the picture while working
// on its drawing: chart_example OUT.png|OUT.svg [WIDTH HEIGHT]
#include "charts/SeriesChart.h"

#include <iostream>
#include <stdexcept>

namespace {

// Four groups over the document-frequency thresholds 1, 2, 5, 10, 20, 50, 100
// of a corpus of some twelve thousand documents: fewer attributes with
// stemming, a somewhat higher error and smaller trees as the threshold rises.
SeriesChart exampleChart() {
    SeriesChart chart;
    chart.title = "Serija pokusa: c = 25, m = 2";
    chart.lines = {
        {"Stemiranje ne, Stop riječi ne",
         {{14210, 41.2, 1873},
          {7460, 40.8, 1811},
          {3312, 41.9, 1693},
          {1804, 43.0, 1544},
          {951, 45.6, 1320},
          {388, 50.3, 987},
          {171, 56.8, 655}}},
        {"Stemiranje ne, Stop riječi da",
         {{14093, 40.9, 1849},
          {7345, 40.5, 1782},
          {3199, 41.6, 1671},
          {1693, 42.6, 1517},
          {845, 45.1, 1288},
          {296, 49.9, 951},
          {101, 57.5, 602}}},
        {"Stemiranje da, Stop riječi ne",
         {{9806, 39.8, 1722},
          {5388, 39.6, 1668},
          {2610, 40.4, 1574},
          {1497, 41.7, 1452},
          {822, 44.2, 1253},
          {355, 48.7, 962},
          {160, 55.0, 641}}},
        {"Stemiranje da, Stop riječi da",
         {{9690, 39.5, 1701},
          {5274, 39.2, 1650},
          {2498, 40.1, 1549},
          {1387, 41.3, 1419},
          {717, 43.8, 1221},
          {264, 48.5, 917},
          {90, 55.9, 588}}},
    };
    return chart;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2 && argc != 4) {
        std::cerr << "usage: chart_example OUT.png|OUT.svg [WIDTH HEIGHT]\n";
        return 2;
    }
    try {
        if (argc == 4)
            writeSeriesChart(exampleChart(), argv[1], std::stoi(argv[2]), std::stoi(argv[3]));
        else
            writeSeriesChart(exampleChart(), argv[1]);
    } catch (const std::exception &error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
