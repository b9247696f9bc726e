// The main window driven through its real handlers and widgets.
#include "GuiHarness.h"
#include "LayoutCheck.h"

#include "dialog2.h"
#include "dialog3.h"
#include "window3.h"
#include "window4.h"
#include "window6.h"
#include "window8.h"
#include "window9.h"
#include "window12.h"

#include "c45/C45Runner.h"
#include "learner/OptionLimits.h"

#include <glibmm/miscutils.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/viewport.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <system_error>
#include <vector>

namespace {

// A window in a working folder that holds the test corpus in "xml", a second
// corpus in "other" and the stop-word file.
struct MainWindowTest : testing::Test {
    MainWindowTest() {
        folder.copyData("xml");
        folder.copyData("other");
        folder.copyData("ceste_rijeci");
    }
    void execute() {
        click(window.execute_toolbutton);
        ASSERT_TRUE(window.waitUntilIdle());
    }
    void selectWords(int minDf, bool stopWords) {
        window.df_scale->set_value(minDf);
        window.stop_words_checkbutton->set_active(stopWords);
        window.select_words_button->clicked();
    }
    void writeBla() {
        window.write_c45_button->clicked();
        ASSERT_TRUE(window.waitUntilIdle());
    }
    // The file set "bla" of the test corpus with the words in at least four
    // training documents, named on the "C4.5" page.
    void writeFileSet() {
        execute();
        selectWords(4, false);
        writeBla();
    }
    void runToEnd() {
        window.run_c45_button->clicked();
        ASSERT_TRUE(window.waitUntilIdle());
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

const std::string xmlCounts = joined(" ", {bold("16"), bold("5"), bold("2"), bold("55"), na});

// The twelve run figures of the "C4.5" page (tree sizes and the two
// evaluations), without the four data-set sizes.
std::string runFigures(const TestWindow &window) {
    const std::string labels = window.c45PageLabels();
    std::size_t start = 0;
    for (int line = 0; line < 4; ++line)
        start = labels.find('\n', start) + 1;
    return labels.substr(start);
}

const std::string noRunFigures =
    joined("\n", {na, na, "plain:n/a", na, na, na, na, "plain:n/a", na, na, na, na});

void writeProgram(const std::string &script) {
    writeScript("c4.5.exe", script);
}

// The body of a stand-in learner that prints the saved run.
const std::string printSavedRun = "cat '" + savedRun + "'\n";

// The tooltips of the six toolbar buttons (of their inner buttons), one a line.
std::string tooltips(TestWindow &w) {
    std::string out;
    for (Gtk::ToolButton *b :
         {w.open_toolbutton, w.execute_toolbutton, w.save_toolbutton, w.save_as_toolbutton,
          w.load_settings_toolbutton, w.save_settings_toolbutton})
        out += b->get_child()->get_tooltip_text() + "\n";
    return out;
}

// The threshold and the top of its range as "value scaleUpper spinUpper".
std::string dfRange(TestWindow &window) {
    EXPECT_EQ(window.df_scale->get_value(), window.df_spinbutton->get_value());
    return joined(
        " ",
        {std::to_string(window.df_spinbutton->get_value_as_int()),
         std::to_string(static_cast<int>(window.df_scale->get_adjustment()->get_upper())),
         std::to_string(static_cast<int>(window.df_spinbutton->get_adjustment()->get_upper()))});
}

} // namespace

TEST_F(MainWindowTest, StartsWithoutDataAndWithEveryCommandThatNeedsDataGreyedOut) {
    EXPECT_EQ(joined(" ", {na, na, na, na, na}), window.textProcessingCounts());
    EXPECT_EQ(joined("\n", {na, na, na, na, noRunFigures}), window.c45PageLabels());
    EXPECT_EQ(na, shown(*window.file_set_label));
    EXPECT_EQ("distribution:0 select:0 important:0 save:0 saveAs:0 cm:0 log:0 tree:0 pruned:0 "
              "run:0 measures:0 names:1 edit:1 parse:1 write:0 toolbar:1 export:0 "
              "saveSettings:0 execute:1",
              window.sensitivity());
    EXPECT_FALSE(window.save_as_menuitem->get_sensitive());
    EXPECT_FALSE(window.save_settings_menuitem->get_sensitive());
    EXPECT_FALSE(window.run_progressbar->get_visible());

    // The two Open and the two Save buttons say what they act on, on each page.
    const std::string textPageTooltips = tooltips(window);
    EXPECT_NE(std::string::npos, textPageTooltips.find("Otvori stanje korpusa (.tpp)\n"));
    window.switchToPage(1);
    EXPECT_EQ("Odaberi skup C4.5 fajlova (.names)\n"
              "Pokreni C4.5 na skupu fajlova\n"
              "Snimi skup C4.5 fajlova pod imenom bla\n"
              "Snimi skup C4.5 fajlova pod novim imenom\n"
              "Otvori C4.5 rezultat (.c45p)\n"
              "Snimi C4.5 rezultat (.c45p)\n",
              tooltips(window));
    EXPECT_FALSE(window.execute_toolbutton->get_sensitive());
    window.switchToPage(0);
    EXPECT_EQ(textPageTooltips, tooltips(window));

    // The threshold's scale and spin button stay in step, up to 200 until a
    // corpus is read.
    window.df_scale->set_value(12);
    EXPECT_EQ(12, window.df_spinbutton->get_value());
    window.df_spinbutton->set_value(300);
    EXPECT_EQ(200, window.df_spinbutton->get_value());
    EXPECT_EQ(200, window.df_scale->get_value());
}

TEST_F(MainWindowTest, ExecuteParsesTheChosenFolderInTheBackgroundAndShowsSmallBoldCounts) {
    {
        ConsoleCapture console;
        click(window.execute_toolbutton);
        // Until the worker's result is taken in, the window shows the work and
        // keeps the commands that would change the data locked.
        EXPECT_TRUE(window.busy());
        EXPECT_TRUE(window.run_progressbar->get_visible());
        EXPECT_EQ("distribution:0 select:0 important:0 save:0 saveAs:0 cm:0 log:0 tree:0 "
                  "pruned:0 run:0 measures:0 names:0 edit:1 parse:0 write:0 toolbar:0 export:0 "
                  "saveSettings:0 execute:1",
                  window.sensitivity());
        EXPECT_EQ(joined(" ", {na, na, na, na, na}), window.textProcessingCounts());
        ASSERT_TRUE(window.waitUntilIdle());
        EXPECT_EQ(xmlCountLines, console.linesStartingWith("Ukupan"));
        EXPECT_FALSE(window.run_progressbar->get_visible());
        EXPECT_EQ(xmlCounts, window.textProcessingCounts());
        // A word is in at most every training document: the threshold goes
        // up to their number.
        EXPECT_EQ("16 16 16", dfRange(window));
        window.df_spinbutton->set_value(10);
        EXPECT_EQ("10 16 16", dfRange(window));
        EXPECT_EQ("distribution:1 select:1 important:0 save:0 saveAs:0 cm:0 log:0 tree:0 "
                  "pruned:0 run:0 measures:0 names:1 edit:1 parse:1 write:0 toolbar:1 export:1 "
                  "saveSettings:1 execute:1",
                  window.sensitivity());

        // The categories by training documents, listed and exported.
        window.distribution_button->clicked();
        EXPECT_EQ("Sve kategorije u svim dokumentima:\n",
                  console.linesStartingWith("Sve kategorije"));
    }
    window3 &categories = window.presentedAs<window3>(0);
    // One window serves the categories and the words; its heading says which.
    EXPECT_EQ("Prikaz raspodijele kategorija po dokumentima", categories.header_label->get_text());
    EXPECT_EQ("crude|8| grain|8|", modelRows(categories.sorted));
    // Export adds ".csv" only when missing.
    for (const char *chosen : {"cats", "dogs.csv"})
        window.answer(chosen).on_export_activate();
    EXPECT_EQ("\"crude\", 8\n\"grain\", 8\n", readFile("cats.csv"));
    EXPECT_EQ(readFile("cats.csv"), readFile("dogs.csv"));
    EXPECT_FALSE(fileExists("cats-mjere.csv"));

    click(window.answer(folder.path() + "/other").open_toolbutton);
    EXPECT_EQ(Gtk::FILE_CHOOSER_ACTION_SELECT_FOLDER, window.pathRequests.back().action);
    EXPECT_EQ(folder.path() + "/other", window.documentFolder);
    execute();
    EXPECT_EQ(joined(" ", {bold("2"), bold("1"), bold("2"), bold("6"), na}),
              window.textProcessingCounts());
    EXPECT_EQ("2 2 2", dfRange(window));
    // A cancelled chooser changes nothing.
    click(window.open_toolbutton);
    EXPECT_EQ(folder.path() + "/other", window.textProcessor.directory);

    // "Parsiraj dokumente" always reads "xml", in plain figures, and empties
    // the selection.
    selectWords(1, false);
    EXPECT_EQ(joined(" ", {bold("2"), bold("1"), bold("2"), bold("6"), bold("6")}),
              window.textProcessingCounts());
    window.parse_button->clicked();
    ASSERT_TRUE(window.waitUntilIdle());
    EXPECT_EQ("plain:16 plain:5 plain:2 plain:55 " + na, window.textProcessingCounts());
    EXPECT_EQ("1 16 16", dfRange(window));
    EXPECT_FALSE(window.important_words_button->get_sensitive());
    EXPECT_FALSE(window.write_c45_button->get_sensitive());
    EXPECT_EQ("xml", window.textProcessor.directory);
}

// Folders and state files that cannot be read.
TEST_F(MainWindowTest, ReadingProblemsAreReportedAndKeepTheCorpus) {
    execute();
    selectWords(4, false);
    std::filesystem::create_directory("empty");
    std::filesystem::create_symlink("nowhere", "xml/lost.xml");
    std::ofstream("broken.tpp") << "rijeci iz train dokumenata\nmany\n";
    const std::string kept = joined(" ", {bold("16"), bold("5"), bold("2"), bold("55"), bold("6")});
    const std::string noEntry = std::generic_category().message(ENOENT);
    const struct {
        const char *name;    // a folder to read, or a state file to load
        std::string message; // the start of the message
    } cases[] = {
        {"xml", "Ne mogu otvoriti fajl xml/lost.xml"},
        {"empty", "U mapi empty nije pronađen nijedan dokument."},
        {"missing", "Ne mogu otvoriti mapu missing: " + noEntry},
        {"missing.tpp", "Ne mogu otvoriti fajl missing.tpp: " + noEntry},
        {"broken.tpp", "Neispravan fajl broken.tpp: redak 2: očekuje se nenegativan cijeli broj "
                       "(broj dokumenata)"},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        window.errors.clear();
        if (std::string(row.name).find(".tpp") != std::string::npos) {
            window.answer(row.name).on_load_settings_clicked();
            ASSERT_TRUE(window.waitUntilIdle());
        } else {
            click(window.answer(row.name).open_toolbutton);
            execute();
        }
        ASSERT_EQ(1u, window.errors.size());
        EXPECT_EQ(row.message, window.errors[0].substr(0, row.message.size()));
        EXPECT_EQ(kept, window.textProcessingCounts());
        EXPECT_EQ(16u, window.textProcessor.trainDocuments.size());
        EXPECT_EQ(6u, window.textProcessor.selectedWords.size());
        EXPECT_TRUE(window.write_c45_button->get_sensitive());
        EXPECT_EQ("", window.stateFile);
    }

    // "Parsiraj dokumente" reads "xml" and keeps the chosen folder when it fails.
    window.errors.clear();
    click(window.answer("other").open_toolbutton);
    window.parse_button->clicked();
    ASSERT_TRUE(window.waitUntilIdle());
    EXPECT_EQ(1u, window.errors.size());
    EXPECT_EQ(kept, window.textProcessingCounts());
    EXPECT_EQ("other", window.textProcessor.directory);
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
    // The page says which folder and selection the counts and a file set
    // come from; a threshold or stop-word choice changed since "Izbaci"
    // marks the selection as old until "Izbaci" is pressed again.
    EXPECT_EQ("plain:mapa xml, stemiranje ne", "plain:" + window.corpus_label->get_text());
    EXPECT_EQ("Izbor: DF 11, stop riječi ne", window.selection_label->get_text());
    window.df_scale->set_value(3);
    EXPECT_EQ("Izbor: DF 11, stop riječi ne (zastario: pritisnite Izbaci)",
              window.selection_label->get_text());
    window.df_scale->set_value(11);
    window.stop_words_checkbutton->set_active(true);
    EXPECT_EQ("Izbor: DF 11, stop riječi ne (zastario: pritisnite Izbaci)",
              window.selection_label->get_text());
    window.select_words_button->clicked();
    EXPECT_EQ("Izbor: DF 11, stop riječi da", window.selection_label->get_text());

    // At 4 a word in exactly four training documents is kept.
    selectWords(4, false);
    window.important_words_button->clicked();
    window3 &words = window.presentedAs<window3>(0);
    EXPECT_EQ("Prikaz raspodijele rijeci po dokumentima", words.header_label->get_text());
    EXPECT_EQ(2u, words.treeview->get_columns().size());
    EXPECT_EQ("harvest|4| corn|5| crude|5| wheat|6| oil|7| the|10|", modelRows(words.sorted));

    // With stemming the keys are stems ("this" is "thi"); the stop words are
    // compared with them as written unless the options say to stem them too.
    std::ofstream("ceste_rijeci", std::ios::app) << "this\n";
    const struct {
        bool stemStopWords;
        const char *selected;
        const char *console;
    } stemmed[] = {{false, "48", "Stop rijeci koje nisu kljuc:   6\n"}, {true, "47", ""}};
    for (const auto &row : stemmed) {
        SCOPED_TRACE(row.stemStopWords);
        window.textOptionsAnswer = window1::TextOptions{true, false, false, row.stemStopWords};
        window.on_options_activate();
        execute();
        ConsoleCapture console;
        selectWords(1, true);
        EXPECT_EQ(bold(row.selected), shown(*window.selected_word_count_label));
        EXPECT_EQ(row.console, console.linesStartingWith("Stop rijeci"));
    }

    // With information gain asked for, a third column shows it in plain figures.
    window.textOptionsAnswer = window1::TextOptions{false, true};
    window.on_options_activate();
    execute();
    selectWords(4, false);
    window.important_words_button->clicked();
    window3 &gains = window.presentedAs<window3>(1);
    EXPECT_EQ(3u, gains.treeview->get_columns().size());
    EXPECT_EQ(6u, window.textProcessor.selectedInformationGain.size());
    for (const Gtk::TreeModel::Row &row : gains.store->children()) {
        const std::string gain = Glib::ustring(row[gains.columns.informationGain]).raw();
        EXPECT_TRUE(gain.size() == 6 && gain[1] == '.') << gain; // as "0.1234"
    }

    // A missing stop-word file is reported and keeps the selection.
    std::remove("ceste_rijeci");
    selectWords(2, true);
    ASSERT_EQ(1u, window.errors.size());
    EXPECT_EQ("Ne mogu otvoriti fajl ceste_rijeci: " + std::generic_category().message(ENOENT),
              window.errors[0]);
    EXPECT_EQ(bold("6"), shown(*window.selected_word_count_label));
    EXPECT_EQ(6u, window.textProcessor.selectedWords.size());
}

TEST_F(MainWindowTest, FileSetIsWrittenUnderItsStemAndBecomesTheOneToRun) {
    execute();
    selectWords(4, false);
    EXPECT_TRUE(window.save_toolbutton->get_sensitive());
    EXPECT_TRUE(window.save_as_toolbutton->get_sensitive());
    // The files' contents are compared with tcw's in the full workflow below.
    writeBla();
    EXPECT_EQ("16\n5\n2\n6\n", readFile("bla.info"));
    const std::string data = readFile("bla.data");
    EXPECT_EQ("bla", window.fileSet);
    EXPECT_EQ(bold("bla"), shown(*window.file_set_label));
    EXPECT_EQ(joined("\n", {bold("16"), bold("5"), bold("2"), bold("6"), noRunFigures}),
              window.c45PageLabels());
    EXPECT_TRUE(window.run_c45_button->get_sensitive());

    // A chosen name ending in ".names" is the stem without it; a folder
    // whose name holds ".names" stays whole.
    std::filesystem::create_directory("sets.names");
    const struct {
        const char *chosen;
        const char *stem;
    } cases[] = {{"mine.names", "mine"}, {"sets.names/other", "sets.names/other"}};
    for (const auto &row : cases) {
        SCOPED_TRACE(row.chosen);
        click(window.answer(row.chosen).save_as_toolbutton);
        ASSERT_TRUE(window.waitUntilIdle());
        EXPECT_EQ(Gtk::FILE_CHOOSER_ACTION_SAVE, window.pathRequests.back().action);
        EXPECT_EQ(readFile("bla.names"), readFile(std::string(row.stem) + ".names"));
        EXPECT_EQ(data, readFile(std::string(row.stem) + ".data"));
        EXPECT_EQ(row.stem, window.fileSet);
        EXPECT_EQ(row.stem, window.textProcessor.fileStem);
    }

    // Save writes under the last stem; the button greys out on the "C4.5" page.
    std::remove("sets.names/other.info");
    click(window.save_toolbutton);
    ASSERT_TRUE(window.waitUntilIdle());
    EXPECT_EQ("16\n5\n2\n6\n", readFile("sets.names/other.info"));
    window.switchToPage(1);
    EXPECT_FALSE(window.save_toolbutton->get_sensitive());
    EXPECT_FALSE(window.save_as_toolbutton->get_sensitive());
    window.switchToPage(0);
    EXPECT_TRUE(window.save_toolbutton->get_sensitive());

    // A file set without attributes is written only when the user says so.
    selectWords(11, false);
    std::remove("bla.info");
    window.confirmationAnswer = false;
    window.write_c45_button->clicked();
    EXPECT_FALSE(window.busy());
    EXPECT_EQ(1u, window.questions.size());
    EXPECT_FALSE(fileExists("bla.info"));
    window.confirmationAnswer = true;
    writeBla();
    EXPECT_EQ(2u, window.questions.size());
    EXPECT_EQ("16\n5\n2\n0\n", readFile("bla.info"));
}

namespace {

struct OptionsDialogUnderTest : dialog2 {
    using dialog2_glade::c_checkbutton, dialog2_glade::c_spinbutton, dialog2_glade::m_checkbutton,
        dialog2_glade::m_spinbutton, dialog2_glade::message_label, dialog2_glade::ok_button,
        dialog2_glade::s_checkbutton, dialog2_glade::t_checkbutton, dialog2_glade::t_spinbutton;
};

struct TextOptionsDialogUnderTest : dialog3 {
    using dialog3_glade::multi_category_checkbutton, dialog3_glade::sparse_checkbutton,
        dialog3_glade::stem_stop_words_checkbutton, dialog3_glade::stemming_checkbutton;
};

} // namespace

// The dialogs themselves: they show the options they are given and refuse
// values C4.5 would refuse, with a message in the dialog.
TEST(OptionsDialogs, ShowTheGivenValuesAndRefuseWhatC45Refuses) {
    OptionsDialogUnderTest dialog;
    EXPECT_EQ("", dialog.getOptionString());
    dialog.setOptions({false, 5, std::nullopt, 3});
    dialog.ok_button->clicked();
    EXPECT_EQ(" -m 5 -t 3", dialog.getOptionString());
    // The option text follows the ticked boxes, in a fixed order.
    for (Gtk::CheckButton *box : {dialog.t_checkbutton, dialog.c_checkbutton, dialog.s_checkbutton})
        box->set_active(true);
    dialog.c_spinbutton->set_value(50);
    dialog.ok_button->clicked();
    EXPECT_EQ(" -s -m 5 -c 50 -t 3", dialog.getOptionString());

    // What the dialog takes is what the learner takes: each value typed is
    // also given to the learner, whose "** illegal value **" is the oracle.
    // The confidence takes a point or a comma whatever the locale.
    const struct {
        Gtk::CheckButton *box;
        Gtk::SpinButton *spin;
        const char *option;
        const char *typed; // the values, separated by blanks
    } values[] = {
        {dialog.m_checkbutton, dialog.m_spinbutton, " -m ", "0 1 1000000 1000001 4294967298"},
        {dialog.c_checkbutton, dialog.c_spinbutton, " -c ", "0 0,0009 0,001 12.5 12,5 100 100.5"},
        {dialog.t_checkbutton, dialog.t_spinbutton, " -t ", "0 10000 10001"},
    };
    for (const auto &row : values) {
        std::istringstream typedValues(row.typed);
        for (std::string typed; typedValues >> typed;) {
            std::string option = row.option + typed; // as the learner gets it
            std::replace(option.begin(), option.end(), ',', '.');
            SCOPED_TRACE(typed + " for" + option);
            std::ostringstream trace;
            const std::vector<std::string> learnerSaid =
                runC45({"nothing.names", option, C45_PROGRAM}, trace).result.outputLines;
            const bool learnerTakes = std::find(learnerSaid.begin(), learnerSaid.end(),
                                                illegalValueLine) == learnerSaid.end();
            dialog.setOptions(C45Options());
            row.box->set_active(true);
            row.spin->set_text(typed);
            dialog.ok_button->clicked();
            EXPECT_EQ(learnerTakes, dialog.acceptedOptions().has_value());
            EXPECT_EQ(learnerTakes ? option : "", dialog.getOptionString());
            EXPECT_EQ(!learnerTakes, dialog.message_label->get_visible());
        }
    }
    // A text that is no number is refused; the value shown before stays.
    dialog.setOptions({false, std::nullopt, 25.0f, std::nullopt});
    dialog.c_spinbutton->set_text("12.5.1");
    dialog.ok_button->clicked();
    EXPECT_FALSE(dialog.acceptedOptions());
    EXPECT_EQ("Pouzdanost podrezivanja (-c) mora biti broj od 0.001 do 100.",
              dialog.message_label->get_text());
    EXPECT_EQ(25, dialog.c_spinbutton->get_value());

    // Stemming the stop words is offered only with stemming, and off unless
    // asked; the multi-category mode writes sparse sets whatever the sparse
    // box says, so the box waits while the mode is on.
    TextOptionsDialogUnderTest textOptions;
    const auto shown = [&] {
        const PageHost::TextOptions o = textOptions.getOptions();
        return std::to_string(o.useStemming) + std::to_string(o.computeInformationGain) +
               std::to_string(o.sparseFileSet) + std::to_string(o.stemStopWords) +
               std::to_string(o.multiCategory) +
               (textOptions.stem_stop_words_checkbutton->is_sensitive() ? " stem-stop" : "") +
               (textOptions.sparse_checkbutton->is_sensitive() ? " sparse" : "");
    };
    textOptions.setOptions({false, true, false});
    EXPECT_EQ("01000 sparse", shown());
    textOptions.setOptions({true, false, false, true});
    EXPECT_EQ("10010 stem-stop sparse", shown());
    textOptions.stemming_checkbutton->set_active(false);
    EXPECT_EQ("00000 sparse", shown());
    textOptions.setOptions({false, false, true, false, true});
    EXPECT_EQ("00101", shown());
    textOptions.multi_category_checkbutton->set_active(false);
    EXPECT_EQ("00100 sparse", shown());
}

TEST_F(MainWindowTest, StateFileRoundTripRestoresTheCountsUnderOneExtension) {
    execute();
    selectWords(4, false);
    const struct {
        const char *chosen;
        const char *written;
    } cases[] = {{"state", "state.tpp"}, {"corp3.tpp", "corp3.tpp"}};
    for (const auto &row : cases) {
        SCOPED_TRACE(row.chosen);
        window.answer(row.chosen).on_save_settings_clicked();
        EXPECT_EQ("Snimi stanje korpusa (.tpp)", window.pathRequests.back().title);
        EXPECT_TRUE(fileExists(row.written));
        EXPECT_EQ(row.written, window.stateFile);
    }
    EXPECT_EQ(readFile("state.tpp"), readFile("corp3.tpp"));

    // Loading runs in the background and empties the selection.
    window.answer("corp3.tpp").on_load_settings_clicked();
    EXPECT_TRUE(window.busy());
    ASSERT_TRUE(window.waitUntilIdle());
    EXPECT_EQ(xmlCounts, window.textProcessingCounts());
    EXPECT_TRUE(window.select_words_button->get_sensitive());
    EXPECT_FALSE(window.important_words_button->get_sensitive());
    EXPECT_FALSE(window.write_c45_button->get_sensitive());
    EXPECT_EQ("bla", window.textProcessor.fileStem);
    EXPECT_EQ("", window.fileSet);

    TestWindow restored;
    restored.answer("state.tpp").on_load_settings_clicked();
    ASSERT_TRUE(restored.waitUntilIdle());
    EXPECT_EQ(xmlCounts, restored.textProcessingCounts());
    EXPECT_EQ("16 16 16", dfRange(restored));
    EXPECT_TRUE(restored.distribution_button->get_sensitive());
}

// A stand-in learner that notes its process id in "pids" and waits, with a
// child of its own, far longer than any test.
void writeLingeringProgram() {
    const std::string pids = Glib::get_current_dir() + "/pids";
    writeProgram("echo $$ >> '" + pids + "'\nsleep 60 &\nwait\n");
}

// The process ids the lingering learners noted, once count of them have.
std::vector<pid_t> learnerIds(std::size_t count) {
    std::vector<pid_t> ids;
    runLoopUntil([&] {
        ids.clear();
        std::ifstream in("pids");
        for (pid_t id; in >> id;)
            ids.push_back(id);
        return ids.size() >= count;
    });
    return ids;
}

// Whether anything of the learner's process group still runs (a zombie
// waiting for a parent that does not reap it does not).
bool groupRuns(pid_t group) {
    return countProcesses(
        [group](char state, pid_t, pid_t g) { return g == group && state != 'Z'; });
}

// Quitting while C4.5 runs and a series runs, as main does it (hide, then
// delete): no learner, no child of one and no run folder is left behind.
TEST_F(MainWindowTest, QuittingEndsEveryJobAndLeavesNoProcessOrRunFolder) {
    writeFileSet();
    writeLingeringProgram();
    auto quitting = std::make_unique<TestWindow>();
    quitting->switchToPage(1);
    quitting->answer("bla.names").choose_names_button->clicked();
    quitting->run_c45_button->clicked();
    ASSERT_EQ(1u, learnerIds(1).size());
    quitting->on_series_activate();
    window9 &series = quitting->presentedAs<window9>(0);
    series.start_button->clicked();
    const std::vector<pid_t> learners = learnerIds(2);
    ASSERT_EQ(2u, learners.size());
    ASSERT_TRUE(std::filesystem::is_directory("bla-series/run-1"));
    quitting->on_quit_activate();
    EXPECT_FALSE(quitting->get_visible());
    quitting.reset();
    for (const pid_t learner : learners)
        EXPECT_FALSE(groupRuns(learner)) << learner;
    EXPECT_FALSE(std::filesystem::exists("bla-series/run-1"));
}

// Stand-ins for C4.5 that fail in each way a user meets, and one that the
// user stops. The error box shows the Croatian text; the line on standard
// error keeps the engine's English, as tcw prints it.
TEST_F(MainWindowTest, FailedAndCancelledRunsLeaveThePreviousResultAsItWas) {
    writeFileSet();
    window.switchToPage(1);
    const struct {
        const char *name;
        std::string program; // empty: no c4.5.exe
        std::string message; // in the error box
    } cases[] = {
        {"missing program", "",
         "Ne mogu pokrenuti program ./c4.5.exe: " + std::generic_category().message(ENOENT)},
        {"error exit", "echo 'ERROR: cannot read bla.data' >&2\nexit 1\n",
         "Program ./c4.5.exe završio je sa statusom 1\nERROR: cannot read bla.data"},
        {"no result", "echo garbage\n", "Program ./c4.5.exe nije ispisao rezultat"},
    };
    for (const bool hadResult : {false, true}) {
        for (const auto &row : cases) {
            SCOPED_TRACE(std::string(row.name) + (hadResult ? " after a run" : ""));
            window.errors.clear();
            if (hadResult) {
                writeProgram(printSavedRun);
                runToEnd();
                ASSERT_TRUE(window.errors.empty());
            }
            const std::string before = window.sensitivity();
            const C45RunResult previous = window.c45Result;
            if (row.program.empty())
                std::remove("c4.5.exe");
            else
                writeProgram(row.program);
            {
                const ConsoleCapture console(std::cerr);
                runToEnd();
                if (row.program.empty()) {
                    EXPECT_EQ("./c4.5.exe could not be started: " +
                                  std::generic_category().message(ENOENT) + "\n",
                              console.text());
                }
            }
            EXPECT_EQ(std::vector<std::string>{row.message}, window.errors);
            EXPECT_EQ(noRunFigures, runFigures(window));
            EXPECT_EQ(before, window.sensitivity());
            EXPECT_EQ(previous, window.c45Result);
            EXPECT_EQ(hadResult, window.cm_button->get_sensitive());
        }
    }

    // "Prekini" ends the run; the figures, the result and the commands are
    // those from before it.
    window.errors.clear();
    writeProgram(printSavedRun);
    runToEnd();
    const std::string figures = runFigures(window);
    const std::string sensitivity = window.sensitivity();
    const C45RunResult result = window.c45Result;
    writeLingeringProgram();
    window.run_c45_button->clicked();
    const std::vector<pid_t> learners = learnerIds(1);
    ASSERT_EQ(1u, learners.size());
    EXPECT_TRUE(window.c45Running());
    EXPECT_TRUE(window.cancel_button->get_visible() && window.cancel_button->is_sensitive());
    EXPECT_EQ(noRunFigures, runFigures(window));
    window.cancel_button->clicked();
    ASSERT_TRUE(window.waitUntilIdle());
    EXPECT_FALSE(groupRuns(learners[0]));
    EXPECT_EQ(std::vector<std::string>{}, window.errors);
    EXPECT_EQ(figures, runFigures(window));
    EXPECT_EQ(sensitivity, window.sensitivity());
    EXPECT_EQ(result, window.c45Result);
    EXPECT_FALSE(window.cancel_button->get_visible());
}

// The options, the threshold, the stop-word box and the folder come back in
// the next window: they are saved when an options dialog is accepted or a
// folder chosen, and all of them when the window goes.
TEST_F(MainWindowTest, ChoicesComeBackInTheNextWindow) {
    const auto choices = [](TestWindow &shown) {
        shown.switchToPage(0);
        shown.on_options_activate();
        shown.switchToPage(1);
        shown.on_options_activate();
        shown.switchToPage(0);
        const window1::TextOptions text = shown.textOptionsShown.back();
        const auto flag = [](bool value) { return value ? "1" : "0"; };
        // "stem:" stemming, then the stemming of the stop words.
        return std::string("stem:") + flag(text.useStemming) + flag(text.stemStopWords) +
               " gain:" + flag(text.computeInformationGain) +
               " sparse:" + flag(text.sparseFileSet) +
               " c45:" + optionText(shown.c45OptionsShown.back()) +
               " df:" + std::to_string(static_cast<int>(shown.df_scale->get_value())) + "/" +
               std::to_string(shown.df_spinbutton->get_value_as_int()) +
               " stop:" + flag(shown.stop_words_checkbutton->get_active()) +
               " folder:" + shown.textProcessor.directory;
    };
    const std::string other = (std::filesystem::current_path() / "other").string();
    const std::string settings = std::string(std::getenv("XDG_CONFIG_HOME")) + "/tcw/settings";
    const C45Options c45{true, 5, 12.5f, 3};

    auto first = std::make_unique<TestWindow>();
    EXPECT_EQ("stem:00 gain:0 sparse:0 c45: df:50/50 stop:0 folder:xml", choices(*first));
    first->textOptionsAnswer = window1::TextOptions{true, true, true, true};
    first->on_options_activate();
    first->switchToPage(1);
    first->c45OptionsAnswer = c45;
    first->on_options_activate();
    first->switchToPage(0);
    click(first->answer("other").open_toolbutton);
    first->df_scale->set_value(7);
    first->stop_words_checkbutton->set_active(true);
    {
        TestWindow meanwhile;
        EXPECT_EQ("stem:11 gain:1 sparse:1 c45: -s -m 5 -c 12.5 -t 3 df:50/50 stop:0 folder:" +
                      other,
                  choices(meanwhile));
    }
    // Each options dialog opens with the values in effect; cancelling keeps them.
    first->textOptionsAnswer.reset();
    first->c45OptionsAnswer.reset();
    for (int twice = 0; twice < 2; ++twice)
        EXPECT_EQ("stem:11 gain:1 sparse:1 c45: -s -m 5 -c 12.5 -t 3 df:7/7 stop:1 folder:other",
                  choices(*first));
    first.reset();
    {
        const CroatianLocale croatian;
        ASSERT_TRUE(croatian.active()) << "hr_HR.UTF-8 is not installed";
        TestWindow second;
        EXPECT_EQ("stem:11 gain:1 sparse:1 c45: -s -m 5 -c 12.5 -t 3 df:7/7 stop:1 folder:" + other,
                  choices(second));
    }

    // A threshold beyond the scale is left out; the rest of the file is taken.
    std::ofstream(settings) << "min_df=201\nstop_words=1\n";
    TestWindow limited;
    EXPECT_EQ("stem:00 gain:0 sparse:0 c45: df:50/50 stop:1 folder:xml", choices(limited));
}

// The run file and the file set are apart: after a run is opened or saved,
// "Pokreni C4.5" still runs the file set that the page names; choosing another
// set clears the figures of the run shown.
TEST_F(MainWindowTest, RunsAlwaysUseTheFileSetThePageNames) {
    window.switchToPage(1);
    window.answer(savedRun).on_load_settings_clicked();
    EXPECT_FALSE(window.run_c45_button->get_sensitive());
    EXPECT_FALSE(window.execute_toolbutton->get_sensitive());
    window.run_c45_button->clicked();
    EXPECT_FALSE(window.busy());

    window.switchToPage(0);
    writeFileSet();
    window.switchToPage(1);
    writeProgram("echo \"$@\" > arguments\n" + printSavedRun);
    window.answer(savedRun).on_load_settings_clicked();
    EXPECT_NE(noRunFigures, runFigures(window));
    // A file without a whole run in it is refused; the run shown stays.
    const std::string run = readFile(savedRun);
    std::ofstream("table.csv") << "Kategorija,Broj dokumenata\nA,20\n";
    std::ofstream("cut.c45p") << run.substr(0, run.size() / 2);
    const std::string figures = runFigures(window);
    const C45RunResult result = window.c45Result;
    window.errors.clear();
    for (const std::string name : {"table.csv", "cut.c45p"}) {
        window.answer(name).on_load_settings_clicked();
        EXPECT_EQ(savedRun, window.runFile);
        EXPECT_EQ(result, window.c45Result);
        EXPECT_EQ(figures, runFigures(window));
    }
    EXPECT_EQ((std::vector<std::string>{
                  "Neispravan fajl table.csv: u njemu nema ispisa programa C4.5",
                  "Neispravan fajl cut.c45p: nepotpuno pokretanje programa C4.5, nedostaje "
                  "vrednovanje na podacima za učenje"}),
              window.errors);
    window.errors.clear();
    window.answer("myrun").on_save_settings_clicked();
    EXPECT_EQ("myrun.c45p", window.runFile);
    click(window.execute_toolbutton);
    EXPECT_TRUE(window.run_progressbar->get_visible());
    ASSERT_TRUE(window.waitUntilIdle());
    EXPECT_EQ("-u -f bla\n", readFile("arguments"));
    EXPECT_TRUE(window.cm_button->get_sensitive());

    // A file set in a folder whose name holds ".names" is named and runs
    // there, whole.
    std::filesystem::create_directory("sets.names");
    for (const std::string extension : {".names", ".data", ".test", ".info"})
        std::filesystem::copy_file("bla" + extension, "sets.names/two" + extension);
    window.answer("sets.names/two.names").choose_names_button->clicked();
    EXPECT_EQ("sets.names/two", window.fileSet);
    EXPECT_EQ(bold("sets.names/two"), shown(*window.file_set_label));
    EXPECT_EQ("bla", window.textProcessor.fileStem);
    EXPECT_EQ(joined("\n", {bold("16"), bold("5"), bold("2"), bold("6"), noRunFigures}),
              window.c45PageLabels());
    EXPECT_FALSE(window.cm_button->get_sensitive());
    EXPECT_FALSE(window.show_log_button->get_sensitive());
    EXPECT_FALSE(window.measures_button->get_sensitive());
    runToEnd();
    EXPECT_EQ("-u -f two\n", readFile("sets.names/arguments"));

    // A set written sparse runs with -L and replaces the dense cases; a
    // chosen set is sparse when only its sparse cases are there.
    window.switchToPage(0);
    window.textOptionsAnswer = window1::TextOptions{false, false, true};
    window.on_options_activate();
    writeBla();
    EXPECT_FALSE(fileExists("bla.data"));
    EXPECT_EQ(readFile("sets.names/two.names"), readFile("bla.names"));
    window.switchToPage(1);
    runToEnd();
    EXPECT_EQ("-L -u -f bla\n", readFile("arguments"));
    window.answer("sets.names/two.names").choose_names_button->clicked();
    runToEnd();
    EXPECT_EQ("-u -f two\n", readFile("sets.names/arguments"));
    window.answer("bla.names").choose_names_button->clicked();
    runToEnd();
    EXPECT_EQ("-L -u -f bla\n", readFile("arguments"));
    EXPECT_TRUE(window.errors.empty());

    // A set without its ".names" is refused; the set shown stays.
    const std::string labels = window.c45PageLabels();
    for (const char *missing : {"nothing.names", "bla.data"}) {
        SCOPED_TRACE(missing);
        window.errors.clear();
        window.answer(missing).choose_names_button->clicked();
        ASSERT_EQ(1u, window.errors.size());
        EXPECT_EQ(0u, window.errors[0].find("Skup fajlova ")) << window.errors[0];
        EXPECT_EQ("bla", window.fileSet);
        EXPECT_EQ(labels, window.c45PageLabels());
        EXPECT_TRUE(window.run_c45_button->is_sensitive());
    }
}

// Both pages whole at the opening size, and the window keeps its place and
// size through a run and when its contents grow.
TEST_F(MainWindowTest, WindowOpensWholeOnBothPagesAndNeverMoves) {
    writeFileSet();
    writeProgram("sleep 0.3\n" + printSavedRun);
    window.show();
    drainEvents();
    for (int page : {0, 1}) {
        SCOPED_TRACE(page);
        window.switchToPage(page);
        EXPECT_EQ(std::vector<std::string>{}, squeezedWidgets(window));
        auto *scroller = dynamic_cast<Gtk::ScrolledWindow *>(window.notebook->get_nth_page(page));
        ASSERT_NE(nullptr, scroller);
        Gtk::Widget *rows = dynamic_cast<Gtk::Viewport &>(*scroller->get_child()).get_child();
        EXPECT_LE(rows->size_request().height, scroller->get_allocation().get_height());
        EXPECT_LE(rows->size_request().width, scroller->get_allocation().get_width());
    }

    window.move(0, 0);
    drainEvents();
    const auto place = [this] {
        int x = 0, y = 0, w = 0, h = 0;
        window.get_position(x, y);
        window.get_size(w, h);
        return std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(w) + "x" +
               std::to_string(h);
    };
    const std::string opened = place();
    window.run_c45_button->clicked();
    drainEvents();
    EXPECT_TRUE(window.run_progressbar->get_visible());
    EXPECT_EQ(opened, place());
    ASSERT_TRUE(window.waitUntilIdle());
    drainEvents();
    EXPECT_EQ(opened, place());
    EXPECT_EQ(std::vector<std::string>{}, squeezedWidgets(window));

    // A longer text widens the window where it stands.
    window.c45_category_count_label->set_markup(bold(std::string(80, '8')));
    drainEvents();
    EXPECT_EQ("0,0", place().substr(0, 3));
}

// The real choosers and message boxes; the about dialog opens anew each time,
// with its text clear of the edges, and is freed once hidden.
TEST(RealDialogs, ChoosersMessageBoxesAndAboutSayWhatTheyAreFor) {
    WorkingFolder folder;
    struct : window1 {
        using window1::askConfirmation, window1::askForPath, window1::on_about_activate,
            window1::showError;
    } window;
    std::string seen, path = "unanswered";
    EXPECT_TRUE(answerDialog<Gtk::FileChooserDialog>(
        [&] {
            path = window.askForPath({Gtk::FILE_CHOOSER_ACTION_SAVE,
                                      "Snimi stanje korpusa (.tpp)",
                                      {{"tpp files", "*.tpp"}}});
        },
        [&seen](Gtk::FileChooserDialog &chooser) {
            seen = chooser.get_title() + "|" + chooser.get_current_folder() + "|" +
                   (chooser.get_do_overwrite_confirmation() ? "confirms" : "overwrites");
            return !chooser.get_current_folder().empty();
        },
        Gtk::RESPONSE_CANCEL));
    EXPECT_EQ("", path);
    EXPECT_EQ("Snimi stanje korpusa (.tpp)|" + Glib::get_current_dir() + "|confirms", seen);

    const auto title = [&seen](Gtk::MessageDialog &box) {
        return !(seen = box.get_title()).empty();
    };
    EXPECT_TRUE(answerDialog<Gtk::MessageDialog>(
        [&] { window.showError("Could not write file x: No space left on device"); }, title,
        Gtk::RESPONSE_CLOSE));
    EXPECT_EQ("Greška", seen);
    bool confirmed = false;
    EXPECT_TRUE(answerDialog<Gtk::MessageDialog>(
        [&] { confirmed = window.askConfirmation("Svejedno?"); }, title, Gtk::RESPONSE_YES));
    EXPECT_TRUE(confirmed);
    EXPECT_EQ("Pitanje", seen);

    const std::size_t before = Gtk::Window::list_toplevels().size();
    window.on_about_activate();
    window.on_about_activate();
    drainEvents();
    std::vector<Gtk::Window *> abouts;
    for (Gtk::Window *top : Gtk::Window::list_toplevels())
        if (top->get_title() == "O programu" && top->get_visible())
            abouts.push_back(top);
    ASSERT_EQ(2u, abouts.size());
    EXPECT_EQ(before + 2, Gtk::Window::list_toplevels().size());
    Gtk::Label *text = findLabel(
        *abouts[0],
        "Kategorizacija teksta stablima odluke C4.5\nRadna okolina za pokuse, prosinac 2026.");
    ASSERT_NE(nullptr, text);
    int x = 0, y = 0;
    ASSERT_TRUE(text->translate_coordinates(*abouts[0], 0, 0, x, y));
    EXPECT_GE(y, 8);
    EXPECT_GE(abouts[0]->get_allocation().get_width() - (x + text->get_allocation().get_width()),
              8);
    for (Gtk::Window *about : abouts)
        about->hide();
    drainEvents();
    EXPECT_EQ(before, Gtk::Window::list_toplevels().size());
}

#if defined(C45_PROGRAM) && defined(TCW_PROGRAM)

namespace {

// The figures of the "C4.5" page laid out as "tcw experiment" prints them.
std::string pageReport(const TestWindow &window) {
    std::vector<std::string> texts;
    std::istringstream labels(window.c45PageLabels());
    for (std::string line; std::getline(labels, line);)
        texts.push_back(line.compare(0, 6, "plain:") == 0 ? line.substr(6)
                                                          : line.substr(10, line.size() - 22));
    const auto evaluation = [&texts](const char *title, std::size_t first) {
        return std::string(title) + "\n  Estimate: " + texts[first] + "\n  Veličina stabla: BP " +
               texts[first + 1] + ", AP " + texts[first + 2] + "\n  Broj grešaka: BP " +
               texts[first + 3] + ", AP " + texts[first + 4] + "\n";
    };
    return "Dokumenti\n  Broj train dokumenata: " + texts[0] +
           "\n  Broj test dokumenata: " + texts[1] + "\n  Broj kategorija: " + texts[2] +
           "\n  Broj atributa: " + texts[3] + "\nStablo odluke\n  Veličina BP: " + texts[4] +
           "\n  Veličina AP: " + texts[5] + "\n" + evaluation("Evaluation on training data", 6) +
           evaluation("Evaluation on test data", 11);
}

// The lines of text from the line starting with first up to, not including,
// the line starting with end ("" for the end of the text).
std::string section(const std::string &text, const std::string &first, const std::string &end) {
    const std::size_t from = text.find("\n" + first);
    if (from == std::string::npos)
        return "";
    const std::size_t to = end.empty() ? text.size() : text.find("\n" + end, from + 1);
    return text.substr(from + 1, to == std::string::npos ? std::string::npos : to - from);
}

// The whole experiment on folder through the window: the words in at least
// minDf training documents make the file set "bla", and C4.5 runs on it.
void runExperiment(TestWindow &gui, const char *folder, int minDf, bool stopWords) {
    click(gui.answer(folder).open_toolbutton);
    click(gui.execute_toolbutton);
    ASSERT_TRUE(gui.waitUntilIdle());
    gui.df_scale->set_value(minDf);
    gui.stop_words_checkbutton->set_active(stopWords);
    gui.select_words_button->clicked();
    gui.write_c45_button->clicked();
    ASSERT_TRUE(gui.waitUntilIdle());
    gui.switchToPage(1);
    click(gui.execute_toolbutton);
    ASSERT_TRUE(gui.waitUntilIdle());
    ASSERT_EQ(std::vector<std::string>{}, gui.errors);
}

// The set "tcw" that tcw wrote and "bla" that the window wrote are the same.
void expectSameFileSets(std::initializer_list<const char *> extensions) {
    for (const char *extension : extensions) {
        SCOPED_TRACE(extension);
        EXPECT_EQ(readFile(std::string("tcw") + extension),
                  readFile(std::string("bla") + extension));
    }
}

} // namespace

// One whole experiment through the real windows, with the real learner, gives
// the figures that the headless front end gives for the same settings: on the
// test corpus and on the default corpus.
TEST_F(MainWindowTest, FullWorkflowGivesTheFiguresOfTcwExperiment) {
    std::filesystem::copy_file(C45_PROGRAM, "c4.5.exe");
    ASSERT_EQ(0, std::system("'" DEFAULT_CORPUS_SCRIPT "' wordnet > /dev/null"));
    const struct {
        const char *folder;
        int minDf;
    } corpora[] = {{"xml", 4}, {"wordnet", 30}};
    for (const auto &corpus : corpora) {
        SCOPED_TRACE(corpus.folder);
        TestWindow gui;
        ASSERT_NO_FATAL_FAILURE(runExperiment(gui, corpus.folder, corpus.minDf, true));

        const std::string command = std::string(TCW_PROGRAM) + " experiment --dir " +
                                    corpus.folder + " --stem tcw --min-df " +
                                    std::to_string(corpus.minDf) +
                                    " --stop-words ceste_rijeci > tcw.out 2>/dev/null";
        ASSERT_EQ(0, std::system(command.c_str()));
        const std::string tcw = readFile("tcw.out");
        expectSameFileSets({".names", ".data", ".test", ".info"});
        const std::string report = pageReport(gui);
        EXPECT_EQ(section(tcw, "Dokumenti", "Matrica zabune"), report);
        EXPECT_EQ(std::string::npos, report.find("n/a")) << report;

        gui.cm_button->clicked();
        gui.measures_button->clicked();
        ASSERT_EQ(2u, gui.presented.size());
        window4 &errors = gui.presentedAs<window4>(0);
        std::size_t testDocuments = 0;
        for (const Gtk::TreeModel::Row &row : errors.store->children())
            testDocuments += static_cast<std::size_t>(row[errors.columns.documents]);
        EXPECT_EQ(gui.textProcessor.testDocuments.size(), testDocuments);
        window8 &measures = gui.presentedAs<window8>(1);
        const std::string summary = section(tcw, "F1 micro je", "");
        EXPECT_EQ(summary,
                  "F1 micro je " + measures.micro_f1_label->get_text() + "\nF1 macro je " +
                      measures.macro_f1_label->get_text() + "\nMikroprosjek preciznost " +
                      measures.micro_precision_label->get_text() + "\nMikroprosjek odaziv " +
                      measures.micro_recall_label->get_text() + "\nMakroprosjek preciznost " +
                      measures.macro_precision_label->get_text() + "\nMakroprosjek odaziv " +
                      measures.macro_recall_label->get_text() + "\n");

        gui.answer("results.csv").on_export_activate();
        EXPECT_EQ(summary, section("\n" + readFile("results-mjere.csv"), "F1 micro je", ""));
        EXPECT_NE("", readFile("results.csv"));

        gui.answer("run").on_save_settings_clicked();
        gui.switchToPage(0);
        gui.answer("corpus").on_save_settings_clicked();

        TestWindow restored;
        restored.answer("corpus.tpp").on_load_settings_clicked();
        ASSERT_TRUE(restored.waitUntilIdle());
        EXPECT_EQ(gui.textProcessor.trainDocuments, restored.textProcessor.trainDocuments);
        EXPECT_EQ(gui.textProcessor.testDocuments, restored.textProcessor.testDocuments);
        restored.switchToPage(1);
        restored.answer("run.c45p").on_load_settings_clicked();
        EXPECT_EQ(report, pageReport(restored));
        EXPECT_EQ(gui.c45Result, restored.c45Result);
        EXPECT_EQ(std::vector<std::string>{}, restored.errors);
    }
}

// The multi-category mode from the options to the windows: the corpus says
// what its parse kept and dropped, the set is sparse with label lists, the
// run grows one tree per category, and the page, the per-category window
// and the tree window's chooser show what tcw experiment prints.
TEST_F(MainWindowTest, MultiCategoryRunGivesOneTreePerCategory) {
    std::filesystem::copy_file(C45_PROGRAM, "c4.5.exe");
    std::filesystem::copy(MULTI_CATEGORY_CORPUS, "multi");
    window.textOptionsAnswer = window1::TextOptions{false, false, false, false, true};
    window.on_options_activate();
    ASSERT_NO_FATAL_FAILURE(runExperiment(window, "multi", 1, false));
    EXPECT_EQ("mapa multi, stemiranje ne, više kategorija po dokumentu\ns više kategorija: 3; "
              "odbačeno test: 1 dok., 1 kat.",
              window.corpus_label->get_tooltip_text());

    ASSERT_EQ(0, std::system(TCW_PROGRAM " experiment --dir multi --stem tcw --min-df 1 "
                                         "--multi-category > tcw.out 2>/dev/null"));
    expectSameFileSets({".names", ".data.svm", ".test.svm", ".info"});
    // Sizes summed over the three trees; errors of all 3 x 4 training and
    // 3 x 3 test decisions.
    EXPECT_EQ(joined("\n", {bold("4"), bold("3"), bold("3"), bold("18"), bold("9"), bold("9"),
                             "plain:n/a", bold("9"), bold("9"), bold("0 (0%)"), bold("0 (0%)"),
                             "plain:n/a", bold("9"), bold("9"), bold("2 (22.2%)"),
                             bold("2 (22.2%)")}),
              window.c45PageLabels());
    EXPECT_EQ("F1 mikro 0.7500, makro 0.6000", window.category_f1_label->get_text());
    EXPECT_NE(std::string::npos,
              readFile("tcw.out").find("Mikroprosjek: preciznost 0.7500, odziv 0.7500, F1 0.7500"));
    EXPECT_FALSE(window.cm_button->is_sensitive());
    EXPECT_TRUE(window.show_tree_button->is_sensitive());

    window.measures_button->clicked();
    window.show_pruned_tree_button->clicked();
    ASSERT_EQ(2u, window.presented.size());
    window12 &table = window.presentedAs<window12>(0);
    table.sorted->set_sort_column(table.columns.f1Value, Gtk::SORT_ASCENDING);
    EXPECT_EQ("earn|2|1|0|0|1|2|n/a|0.0000|0.0000|3|-1|0|0 "
              "ship|2|2|2|1|0|0|0.6667|1.0000|0.8000|3|0.666667|1|0.8 "
              "crude|2|1|1|0|0|2|1.0000|1.0000|1.0000|3|1|1|1",
              modelRows(table.sorted));
    EXPECT_EQ(joined(" ", {bold("0.7500"), bold("0.7500"), bold("0.7500"), bold("0.5556"),
                           bold("0.6667"), bold("0.6000")}),
              joined(" ", {shown(*table.micro_precision_label), shown(*table.micro_recall_label),
                           shown(*table.micro_f1_label), shown(*table.macro_precision_label),
                           shown(*table.macro_recall_label), shown(*table.macro_f1_label)}));

    window6 &tree = window.presentedAs<window6>(1);
    EXPECT_TRUE(tree.category_combo->get_visible());
    tree.category_combo->set_active(2);
    EXPECT_EQ("Stablo nakon podrezivanja, kategorija ship", tree.header_label->get_text());
    EXPECT_EQ("company [<= 0 : ship (2.0) > 0 : not-ship (2.0)]", modelRows(tree.store));
    window.show_tree_button->clicked();
    EXPECT_EQ("Stablo prije podrezivanja, kategorija crude",
              window.presentedAs<window6>(2).header_label->get_text());

    struct ExportingWindow : window12 {
        using window12::window12, window12::on_export_clicked;
        std::string askCsvPath() override { return "categories.csv"; }
    } exporting(parseCategoryReport(window.c45Result.outputLines));
    exporting.on_export_clicked();
    EXPECT_EQ("category,training,test,tp,fp,fn,tn,precision,recall,f1,size_after\n"
              "crude,2,1,1,0,0,2,1.0000,1.0000,1.0000,3\n"
              "earn,2,1,0,0,1,2,,0.0000,0.0000,3\n"
              "ship,2,2,2,1,0,0,0.6667,1.0000,0.8000,3\n"
              "micro,,,3,1,1,4,0.7500,0.7500,0.7500,9\n"
              "macro,,,,,,,0.5556,0.6667,0.6000,\n",
              readFile("categories.csv"));

    // Chosen from disk, the set is known by its label lists.
    window.answer("bla.names").choose_names_button->clicked();
    EXPECT_EQ("", window.category_f1_label->get_text());
    runToEnd();
    EXPECT_EQ("F1 mikro 0.7500, makro 0.6000", window.category_f1_label->get_text());
}
#endif
