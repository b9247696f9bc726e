// The main window driven through its real handlers and widgets.
#include "GuiHarness.h"

#include "dialog1.h"
#include "window3.h"
#include "window4.h"
#include "window5.h"
#include "window6.h"
#include "window8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// A window in a working folder that holds the test corpus in "xml", a second
// corpus in "other" and the stop-word file.
struct MainWindowTest : testing::Test {
    MainWindowTest() {
        folder.copyData("xml");
        folder.copyData("other");
        folder.copyData("ceste_rijeci");
    }
    void execute() { click(window.execute_toolbutton); }
    void selectWords(int minDf, bool stopWords) {
        window.df_scale->set_value(minDf);
        window.stop_words_checkbutton->set_active(stopWords);
        window.select_words_button->clicked();
    }

    WorkingFolder folder;
    TestWindow window;
};

const std::string xmlCountLines = "Ukupan broj razlicitih rijeci: 55\n"
                                  "Ukupan broj train dokumenata:  16\n"
                                  "Ukupan broj test dokumenata:   5\n"
                                  "Ukupan broj razlicitih topica: 2\n"
                                  "Ukupan broj train dokumenata:  16\n"
                                  "Ukupan broj test dokumenata:   5\n"
                                  "Ukupan broj razlicitih topica: 2\n"
                                  "Ukupan broj razlicitih rijeci: 55\n";

} // namespace

TEST_F(MainWindowTest, StartsWithoutDataAndWithTheResultCommandsGreyedOut) {
    EXPECT_EQ("Diplomski zadatak", window.get_title());
    int width = 0;
    int height = 0;
    window.get_default_size(width, height);
    EXPECT_EQ(365, width);
    EXPECT_EQ(605, height);
    EXPECT_EQ(0, window.notebook->get_current_page());
    EXPECT_EQ(joined(" ", {na, na, na, na, na}), window.textProcessingCounts());
    EXPECT_EQ(joined("\n", {na, na, na, na, na, na, "plain:n/a", na, na, na, na, "plain:n/a", na,
                            na, na, na}),
              window.c45PageLabels());
    EXPECT_EQ("distribution:0 select:0 important:0 save:0 saveAs:0 cm:0 log:0 tree:0 pruned:0 "
              "run:1 measures:1 names:1 edit:1 parse:1 write:1 toolbar:1",
              window.sensitivity());
    EXPECT_EQ("xml", window.textProcessor.directory);
    EXPECT_EQ("bla", window.textProcessor.fileStem);
    EXPECT_FALSE(window.textProcessor.useStemming);
    EXPECT_EQ(50, window.df_spinbutton->get_value());
    EXPECT_EQ(50, window.df_scale->get_value());
    EXPECT_FALSE(window.run_progressbar->get_visible());
}

TEST_F(MainWindowTest, ExecuteParsesTheChosenFolderAndShowsSmallBoldCounts) {
    {
        ConsoleCapture console;
        execute();
        EXPECT_EQ(xmlCountLines, console.linesStartingWith("Ukupan"));
    }
    EXPECT_EQ(joined(" ", {bold("16"), bold("5"), bold("2"), bold("55"), na}),
              window.textProcessingCounts());
    EXPECT_EQ("distribution:1 select:1 important:0 save:1 saveAs:1 cm:0 log:0 tree:0 pruned:0 "
              "run:1 measures:1 names:1 edit:1 parse:1 write:1 toolbar:1",
              window.sensitivity());

    window.pathAnswers.push_back(folder.path() + "/other");
    click(window.open_toolbutton);
    ASSERT_EQ(1u, window.pathRequests.size());
    EXPECT_EQ(Gtk::FILE_CHOOSER_ACTION_SELECT_FOLDER, window.pathRequests[0].action);
    EXPECT_EQ(folder.path() + "/other", window.documentFolder);
    execute();
    EXPECT_EQ(joined(" ", {bold("2"), bold("1"), bold("2"), bold("6"), na}),
              window.textProcessingCounts());

    // A cancelled chooser changes nothing.
    click(window.open_toolbutton);
    EXPECT_EQ(folder.path() + "/other", window.textProcessor.directory);
}

TEST_F(MainWindowTest, ParseButtonAlwaysReadsXmlAndShowsPlainCounts) {
    window.parse_button->clicked();
    EXPECT_EQ("plain:16 plain:5 plain:2 plain:55 " + na, window.textProcessingCounts());
    EXPECT_EQ("distribution:1 select:1 important:0 save:0 saveAs:0 cm:0 log:0 tree:0 pruned:0 "
              "run:1 measures:1 names:1 edit:1 parse:1 write:1 toolbar:1",
              window.sensitivity());

    window.pathAnswers.push_back(folder.path() + "/other");
    click(window.open_toolbutton);
    execute();
    selectWords(1, false);
    EXPECT_EQ(joined(" ", {bold("2"), bold("1"), bold("2"), bold("6"), bold("6")}),
              window.textProcessingCounts());
    {
        ConsoleCapture console;
        window.parse_button->clicked();
        EXPECT_EQ(xmlCountLines, console.linesStartingWith("Ukupan"));
    }
    // The selected-word count keeps its last text although the parse emptied
    // the selection.
    EXPECT_EQ("plain:16 plain:5 plain:2 plain:55 " + bold("6"), window.textProcessingCounts());
    EXPECT_EQ("xml", window.textProcessor.directory);
}

TEST_F(MainWindowTest, UnreadableDocumentFileIsReportedAndKeepsTheCorpus) {
    execute();
    selectWords(4, false);
    std::filesystem::create_symlink("nowhere", "xml/lost.xml");
    const std::string kept = joined(" ", {bold("16"), bold("5"), bold("2"), bold("55"), bold("6")});

    execute();
    EXPECT_EQ(std::vector<std::string>{"Could not open file xml/lost.xml"}, window.errors);
    EXPECT_EQ(kept, window.textProcessingCounts());

    window.pathAnswers.push_back("other");
    click(window.open_toolbutton);
    window.parse_button->clicked();
    EXPECT_EQ(2u, window.errors.size());
    EXPECT_EQ(kept, window.textProcessingCounts());
    EXPECT_EQ("other", window.textProcessor.directory);
    EXPECT_EQ(16u, window.textProcessor.trainDocuments.size());
    EXPECT_EQ(6u, window.textProcessor.selectedWords.size());
}

TEST_F(MainWindowTest, ThresholdScaleAndSpinButtonStayInStep) {
    window.df_scale->set_value(12);
    EXPECT_EQ(12, window.df_spinbutton->get_value());
    window.df_spinbutton->set_value(7);
    EXPECT_EQ(7, window.df_scale->get_value());
    window.df_spinbutton->set_value(300);
    EXPECT_EQ(200, window.df_spinbutton->get_value());
    EXPECT_EQ(200, window.df_scale->get_value());
}

TEST_F(MainWindowTest, IzbaciSelectsByDocumentFrequencyWithAndWithoutStopWords) {
    execute();
    const struct {
        int minDf;
        bool stopWords;
        const char *selected;
    } cases[] = {{0, false, "55"}, {2, false, "24"}, {2, true, "19"},
                 {4, false, "6"},  {4, true, "5"},   {11, false, "0"}};
    for (const auto &row : cases) {
        SCOPED_TRACE(std::to_string(row.minDf) + (row.stopWords ? " with stop words" : ""));
        selectWords(row.minDf, row.stopWords);
        EXPECT_EQ(bold(row.selected), shown(*window.selected_word_count_label));
    }
    EXPECT_TRUE(window.important_words_button->get_sensitive());

    selectWords(4, false);
    window.important_words_button->clicked();
    window3 &words = window.presentedAs<window3>(0);
    EXPECT_EQ("Prikaz raspodijele rijeci po dokumentima", words.header_label->get_text());
    EXPECT_EQ(2u, words.treeview->get_columns().size());
    EXPECT_EQ("Rijec", words.treeview->get_column(0)->get_title());
    EXPECT_EQ("harvest|4| corn|5| crude|5| wheat|6| oil|7| the|10|", modelRows(words.sorted));
}

TEST_F(MainWindowTest, MissingStopWordFileIsReportedAndKeepsTheSelection) {
    execute();
    selectWords(4, false);
    std::remove("ceste_rijeci");
    selectWords(2, true);
    EXPECT_EQ(std::vector<std::string>{"Could not open file ceste_rijeci"}, window.errors);
    EXPECT_EQ(bold("6"), shown(*window.selected_word_count_label));
    EXPECT_EQ(6u, window.textProcessor.selectedWords.size());
}

TEST_F(MainWindowTest, WritesTheC45FileSetUnderBlaOrTheChosenStem) {
    execute();
    selectWords(4, false);
    window.write_c45_button->clicked();
    EXPECT_EQ("16\n5\n2\n6\n", readFile("bla.info"));
    EXPECT_EQ("crude, grain.\n\ncorn: continuous.\ncrude: continuous.\nharvest: continuous.\n"
              "oil: continuous.\nthe: continuous.\nwheat: continuous.\n",
              readFile("bla.names"));
    const std::string data = readFile("bla.data");
    EXPECT_EQ(16, std::count(data.begin(), data.end(), '\n'));
    const std::string test = readFile("bla.test");
    EXPECT_EQ(5, std::count(test.begin(), test.end(), '\n'));

    window.pathAnswers.push_back("mine");
    click(window.save_as_toolbutton);
    ASSERT_EQ(1u, window.pathRequests.size());
    EXPECT_EQ(Gtk::FILE_CHOOSER_ACTION_SAVE, window.pathRequests[0].action);
    EXPECT_EQ("Names files", window.pathRequests[0].filters.at(0).first);
    EXPECT_EQ("mine", window.chosenFile);
    EXPECT_EQ(readFile("bla.names"), readFile("mine.names"));
    EXPECT_EQ(data, readFile("mine.data"));

    std::remove("bla.info");
    click(window.save_toolbutton);
    EXPECT_FALSE(fileExists("bla.info"));
    window.write_c45_button->clicked();
    std::remove("bla.info");
    click(window.save_toolbutton);
    EXPECT_EQ("16\n5\n2\n6\n", readFile("bla.info"));
}

TEST_F(MainWindowTest, NotebookSwitchGreysTheFileSetSaveButtonsOnTheC45Page) {
    window.switchToPage(1);
    EXPECT_FALSE(window.save_toolbutton->get_sensitive());
    EXPECT_FALSE(window.save_as_toolbutton->get_sensitive());
    window.switchToPage(0);
    EXPECT_TRUE(window.save_toolbutton->get_sensitive());
    EXPECT_TRUE(window.save_as_toolbutton->get_sensitive());
}

TEST_F(MainWindowTest, OptionsDialogsSetStemmingGainAndC45OptionsOnlyOnOk) {
    window.textOptionsAnswer = window1::TextOptions{true, true};
    window.on_options_activate();
    EXPECT_TRUE(window.textProcessor.useStemming);
    EXPECT_TRUE(window.computeInformationGain);
    window.textOptionsAnswer.reset();
    window.on_options_activate();
    EXPECT_TRUE(window.textProcessor.useStemming);

    window.switchToPage(1);
    window.c45OptionsAnswer = " -s -c 50";
    window.on_options_activate();
    EXPECT_EQ(" -s -c 50", window.c45Options);
    window.c45OptionsAnswer.reset();
    window.on_options_activate();
    EXPECT_EQ(" -s -c 50", window.c45Options);
    window.c45OptionsAnswer = "";
    window.on_options_activate();
    EXPECT_EQ("", window.c45Options);

    window.switchToPage(0);
    window.textOptionsAnswer = window1::TextOptions{false, false};
    window.on_options_activate();
    EXPECT_FALSE(window.textProcessor.useStemming);
    EXPECT_FALSE(window.computeInformationGain);
}

TEST_F(MainWindowTest, InformationGainWhenConfirmedFillsTheThirdWordColumn) {
    window.textOptionsAnswer = window1::TextOptions{false, true};
    window.on_options_activate();
    execute();
    selectWords(4, false);
    window.important_words_button->clicked();
    window3 &words = window.presentedAs<window3>(0);
    ASSERT_EQ(3u, words.treeview->get_columns().size());
    EXPECT_EQ("Information Gain", words.treeview->get_column(2)->get_title());
    const std::map<std::string, float> &gains = window.textProcessor.selectedInformationGain;
    ASSERT_EQ(6u, gains.size());
    for (const Gtk::TreeModel::Row &row : words.store->children()) {
        const Glib::ustring word = row[words.columns.name];
        const Glib::ustring gain = row[words.columns.informationGain];
        SCOPED_TRACE(word);
        char expected[32];
        std::snprintf(expected, sizeof expected, "%.4f", gains.at(word));
        EXPECT_EQ(expected, gain);
        EXPECT_GE(gains.at(word), 0.0f);
    }
}

TEST_F(MainWindowTest, DistributionListsCategoriesByTrainingDocuments) {
    execute();
    ConsoleCapture console;
    window.distribution_button->clicked();
    window3 &categories = window.presentedAs<window3>(0);
    EXPECT_EQ("Prikaz rijeci/kategorija", categories.get_title());
    EXPECT_EQ("Prikaz raspodijele kategorija po dokumentima", categories.header_label->get_text());
    EXPECT_EQ("Kategorija", categories.treeview->get_column(0)->get_title());
    EXPECT_EQ("Broj dokumenata", categories.treeview->get_column(1)->get_title());
    EXPECT_EQ("crude|8| grain|8|", modelRows(categories.sorted));
    EXPECT_EQ("Sve kategorije u svim dokumentima:\n", console.linesStartingWith("Sve kategorije"));
}

TEST_F(MainWindowTest, StateFileRoundTripRestoresTheCounts) {
    execute();
    window.pathAnswers.push_back("state");
    window.on_save_settings_clicked();
    ASSERT_TRUE(fileExists("state.tpp"));

    TestWindow restored;
    restored.pathAnswers.push_back("state.tpp");
    restored.on_load_settings_clicked();
    ASSERT_EQ(1u, restored.pathRequests.size());
    EXPECT_EQ("tpp files", restored.pathRequests[0].filters.at(0).first);
    EXPECT_EQ("*.tpp", restored.pathRequests[0].filters.at(0).second);
    EXPECT_EQ(joined(" ", {bold("16"), bold("5"), bold("2"), bold("55"), na}),
              restored.textProcessingCounts());
    EXPECT_TRUE(restored.distribution_button->get_sensitive());
    EXPECT_TRUE(restored.select_words_button->get_sensitive());
    EXPECT_EQ(window.textProcessor.trainDocuments, restored.textProcessor.trainDocuments);
    EXPECT_EQ(window.textProcessor.documentFrequency, restored.textProcessor.documentFrequency);
}

TEST_F(MainWindowTest, UnreadableStateFileIsReportedAndKeepsTheCorpus) {
    execute();
    std::ofstream("broken.tpp") << "rijeci iz train dokumenata\nmany\n";
    const struct {
        const char *name;
        std::string message; // the start of the message
    } cases[] = {{"missing.tpp", "Could not open file missing.tpp"},
                 {"broken.tpp", "Malformed file broken.tpp"}};
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        window.errors.clear();
        window.pathAnswers.push_back(row.name);
        window.on_load_settings_clicked();
        ASSERT_EQ(1u, window.errors.size());
        EXPECT_EQ(row.message, window.errors[0].substr(0, row.message.size()));
        EXPECT_EQ(joined(" ", {bold("16"), bold("5"), bold("2"), bold("55"), na}),
                  window.textProcessingCounts());
        EXPECT_EQ(16u, window.textProcessor.trainDocuments.size());
    }
}

TEST_F(MainWindowTest, ExportWritesTheCategoryDistributionFromTheFirstPage) {
    execute();
    window.pathAnswers.push_back("cats");
    window.on_export_activate();
    EXPECT_EQ("cats", window.chosenFile);
    EXPECT_EQ("\"crude\", 8\n\"grain\", 8\n", readFile("cats.csv"));
    EXPECT_FALSE(fileExists("cats-mjere.csv"));
}

TEST_F(MainWindowTest, AboutOpensANewDialogEachTime) {
    window.on_about_activate();
    window.on_about_activate();
    ASSERT_EQ(2u, window.presented.size());
    EXPECT_EQ("O programu", window.presentedAs<dialog1>(0).get_title());
    EXPECT_NE(window.presented[0].get(), window.presented[1].get());
}

TEST_F(MainWindowTest, QuitHidesTheWindow) {
    window.show();
    drainEvents();
    window.on_quit_activate();
    EXPECT_FALSE(window.get_visible());
}
