// The "C4.5" page, the result and tool windows and the dialogs on known data.
#include "GuiHarness.h"
#include "LayoutCheck.h"

#include "dialog2.h"
#include "window3.h"
#include "window4.h"
#include "window5.h"
#include "window6.h"
#include "window7.h"
#include "window8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// The "C4.5" page after the run saved in run.c45p (20 training and 20 test
// cases, categories A and B).
const std::string fixtureRunLabels =
    joined("\n", {bold("20"), bold("20"), bold("2"), bold("2"), bold("5"), bold("3"), "plain:28.1%",
                  bold("5"), bold("3"), bold("1 (5%)"), bold("3 (15%)"), "plain:28.1%", bold("5"),
                  bold("3"), bold("4 (20%)"), bold("3 (15%)")});

std::string firstLines(const std::string &text, int count) {
    std::size_t end = 0;
    for (int i = 0; i < count && end != std::string::npos; ++i)
        end = text.find('\n', end + (i > 0));
    return text.substr(0, end);
}

std::vector<std::string> fixtureLines() {
    std::ifstream in(std::string(TEST_DATA_DIR) + "/run.c45p");
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

struct C45PageTest : testing::Test {
    C45PageTest() {
        folder.copyData("xml");
        window.switchToPage(1);
    }
    void loadFixtureRun() {
        window.pathAnswers.push_back(std::string(TEST_DATA_DIR) + "/run.c45p");
        window.on_load_settings_clicked();
    }
    // Writes the file set "bla" of the test corpus with words in at least
    // four training documents.
    void writeFileSet() {
        window.switchToPage(0);
        click(window.execute_toolbutton);
        window.df_scale->set_value(4);
        window.select_words_button->clicked();
        window.write_c45_button->clicked();
        window.switchToPage(1);
    }
    void chooseNames(const std::string &path) {
        window.pathAnswers.push_back(path);
        click(window.open_toolbutton);
    }
    void runToEnd() {
        click(window.execute_toolbutton);
        ASSERT_TRUE(runLoopUntil([this] { return !window.c45Running(); }));
    }

    WorkingFolder folder;
    TestWindow window;
};

} // namespace

TEST_F(C45PageTest, LoadingASavedRunFillsThePageAndEnablesTheResultCommands) {
    loadFixtureRun();
    ASSERT_EQ(1u, window.pathRequests.size());
    EXPECT_EQ("c45p files", window.pathRequests[0].filters.at(0).first);
    EXPECT_EQ("Any files", window.pathRequests[0].filters.at(1).first);
    EXPECT_EQ(fixtureRunLabels, window.c45PageLabels());
    EXPECT_EQ(fixtureLines(), window.c45Result.outputLines);
    EXPECT_EQ("distribution:0 select:0 important:0 save:0 saveAs:0 cm:1 log:1 tree:1 pruned:1 "
              "run:1 measures:1 names:1 edit:1 parse:1 write:1 toolbar:1",
              window.sensitivity());

    window.pathAnswers.push_back("again");
    window.on_save_settings_clicked();
    EXPECT_EQ(readFile(std::string(TEST_DATA_DIR) + "/run.c45p"), readFile("again.c45p"));
}

TEST_F(C45PageTest, ResultWindowsShowTheSavedRun) {
    loadFixtureRun();
    window.cm_button->clicked();
    window.measures_button->clicked();
    window.show_tree_button->clicked();
    window.show_pruned_tree_button->clicked();
    window.show_log_button->clicked();
    ASSERT_EQ(5u, window.presented.size());

    window4 &errors = window.presentedAs<window4>(0);
    EXPECT_EQ("Prikaz kategorija/gresaka", errors.get_title());
    EXPECT_EQ("Prikaz raspodijele kategorija i gresaka po test dokumentima",
              errors.header_label->get_text());
    EXPECT_EQ("A|10|80.00[A|8|80.00 B|2|20.00] B|10|90.00[A|1|10.00 B|9|90.00]",
              modelRows(errors.sorted));

    window8 &measures = window.presentedAs<window8>(1);
    EXPECT_EQ("Mjere", measures.get_title());
    EXPECT_EQ("A|10|8.00|1.00|2.00|0.80|0.89|0.84 B|10|9.00|2.00|1.00|0.90|0.82|0.86",
              modelRows(measures.sorted));
    EXPECT_EQ(joined("\n", {bold("0.85"), bold("0.85"), bold("0.85"), bold("0.849624"),
                            bold("0.853535"), bold("0.85")}),
              joined("\n", {shown(*measures.micro_f1_label), shown(*measures.micro_precision_label),
                            shown(*measures.micro_recall_label), shown(*measures.macro_f1_label),
                            shown(*measures.macro_precision_label),
                            shown(*measures.macro_recall_label)}));

    window6 &tree = window.presentedAs<window6>(2);
    EXPECT_EQ("Prikaz stabla", tree.get_title());
    EXPECT_EQ("wheat [<= 0 :[   corn <= 1 : A (10.0)    corn > 1 : B (3.0/1.0)] > 0 : B (7.0)]",
              modelRows(tree.store));
    window6 &pruned = window.presentedAs<window6>(3);
    EXPECT_EQ("wheat [<= 0 : A (13.0/3.0) > 0 : B (7.0)]", modelRows(pruned.store));

    window5 &log = window.presentedAs<window5>(4);
    EXPECT_EQ("Log", log.get_title());
    std::string expectedLog;
    for (const std::string &line : fixtureLines()) {
        if (line == "<CM>")
            break;
        expectedLog += line + "\n";
    }
    EXPECT_EQ(expectedLog, log.textview->get_buffer()->get_text().raw());
}

// Long result texts on the "C4.5" page and the counts on the first page must
// widen or lengthen the window, never be cut off.
TEST_F(C45PageTest, MainWindowFitsWhatBothPagesShow) {
    loadFixtureRun();
    window.c45_category_count_label->set_markup(bold("12345 (100.0%) and more text"));
    window.show();
    drainEvents();
    EXPECT_EQ(std::vector<std::string>{}, squeezedWidgets(window));
    window.switchToPage(0);
    click(window.execute_toolbutton);
    drainEvents();
    EXPECT_EQ(std::vector<std::string>{}, squeezedWidgets(window));
}

TEST_F(C45PageTest, ExportWritesTheRunResultsAndMeasures) {
    loadFixtureRun();
    window.pathAnswers.push_back("results");
    window.on_export_activate();
    EXPECT_EQ("\"A\", 10, \"80.00\"\n\"B\", 10, \"90.00\"\n", readFile("results.csv"));
    EXPECT_EQ("A, 10, 8, 1, 2, 0.8, 0.888889, 0.842105\n"
              "B, 10, 9, 2, 1, 0.9, 0.818182, 0.857143\n"
              "F1 micro je 0.85\n"
              "F1 macro je 0.849624\n"
              "Mikroprosjek preciznost 0.85\n"
              "Mikroprosjek odaziv 0.85\n"
              "Makroprosjek preciznost 0.853535\n"
              "Makroprosjek odaziv 0.85\n",
              readFile("results-mjere.csv"));
}

TEST_F(C45PageTest, ChoosingTheNamesFileShowsTheDataSetSizes) {
    writeFileSet();
    chooseNames("bla.names");
    ASSERT_EQ(1u, window.pathRequests.size());
    EXPECT_EQ(Gtk::FILE_CHOOSER_ACTION_OPEN, window.pathRequests[0].action);
    EXPECT_EQ("*.names", window.pathRequests[0].filters.at(0).second);
    EXPECT_EQ("bla.names", window.chosenFile);
    EXPECT_EQ("bla.names", window.textProcessor.fileStem);
    EXPECT_EQ(joined("\n", {bold("16"), bold("5"), bold("2"), bold("6")}),
              firstLines(window.c45PageLabels(), 4));

    chooseNames("nothing.names");
    EXPECT_EQ(joined("\n", {na, na, na, na}), firstLines(window.c45PageLabels(), 4));
}

// A stand-in for C4.5 that records its arguments and prints the saved run,
// slowly enough that the window is seen busy.
TEST_F(C45PageTest, RunKeepsTheWindowResponsiveAndFillsThePage) {
    writeFileSet();
    {
        std::ofstream program("c4.5.exe");
        program << "#!/bin/sh\necho \"$@\" > arguments\nsleep 0.3\ncat '" << TEST_DATA_DIR
                << "/run.c45p'\n";
    }
    std::filesystem::permissions("c4.5.exe", std::filesystem::perms::owner_all);
    window.c45OptionsAnswer = " -m 2";
    window.on_options_activate();
    chooseNames("bla.names");

    ConsoleCapture console;
    click(window.execute_toolbutton);
    ASSERT_TRUE(window.c45Running());
    drainEvents();
    EXPECT_TRUE(window.run_progressbar->get_visible());
    EXPECT_FALSE(window.run_c45_button->get_sensitive());
    EXPECT_FALSE(window.choose_names_button->get_sensitive());
    EXPECT_FALSE(window.toolbar->get_sensitive());
    EXPECT_FALSE(window.write_c45_button->get_sensitive());
    // A second run cannot start while the first is under way.
    window.run_c45_button->clicked();
    ASSERT_TRUE(runLoopUntil([this] { return !window.c45Running(); }));

    EXPECT_EQ("opcije su  -m 2\n", console.linesStartingWith("opcije su"));
    EXPECT_EQ("-u -f bla -m 2\n", readFile("arguments"));
    EXPECT_EQ(fixtureRunLabels, window.c45PageLabels());
    EXPECT_EQ(fixtureLines(), window.c45Result.outputLines);
    EXPECT_FALSE(window.run_progressbar->get_visible());
    EXPECT_EQ("distribution:1 select:1 important:1 save:0 saveAs:0 cm:1 log:1 tree:1 pruned:1 "
              "run:1 measures:1 names:1 edit:1 parse:1 write:1 toolbar:1",
              window.sensitivity());
}

#ifdef C45_PROGRAM
TEST_F(C45PageTest, RealC45RunFillsThePageFromTheTestCorpus) {
    writeFileSet();
    std::filesystem::copy_file(C45_PROGRAM, "c4.5.exe");
    chooseNames("bla.names");
    runToEnd();

    const std::string labels = window.c45PageLabels();
    EXPECT_EQ(joined("\n", {bold("16"), bold("5"), bold("2"), bold("6")}), firstLines(labels, 4));
    EXPECT_EQ(std::string::npos, labels.find(na)) << labels;
    window.cm_button->clicked();
    window.show_tree_button->clicked();
    window4 &errors = window.presentedAs<window4>(0);
    int testDocuments = 0;
    for (const Gtk::TreeModel::Row &row : errors.store->children())
        testDocuments += row[errors.columns.documents];
    EXPECT_EQ(5, testDocuments);
    EXPECT_FALSE(window.presentedAs<window6>(1).store->children().empty());
}
#endif

namespace {

Gtk::Window *shownToplevel(const Glib::ustring &title) {
    for (Gtk::Window *window : Gtk::Window::list_toplevels())
        if (window->get_title() == title && window->get_visible())
            return window;
    return nullptr;
}

struct PresentingWindow : window1 {
    using window1::on_about_activate;
};

} // namespace

TEST(ResultWindows, AreShownAndFreedOnceHidden) {
    PresentingWindow window;
    const std::size_t before = Gtk::Window::list_toplevels().size();
    window.on_about_activate();
    drainEvents();
    Gtk::Window *about = shownToplevel("O programu");
    ASSERT_NE(nullptr, about);
    EXPECT_EQ(before + 1, Gtk::Window::list_toplevels().size());
    about->hide();
    drainEvents();
    EXPECT_EQ(before, Gtk::Window::list_toplevels().size());
}

TEST(ResultWindows, OpenEmptyWithoutARun) {
    window4 errors({}, {});
    EXPECT_EQ("", modelRows(errors.sorted));
    EXPECT_EQ(3u, errors.treeview->get_columns().size());
    window8 measures({}, {});
    EXPECT_EQ("", modelRows(measures.sorted));
    EXPECT_EQ(8u, measures.treeview->get_columns().size());
    window6 tree({}, false);
    EXPECT_EQ("", modelRows(tree.store));
    window5 log({});
    EXPECT_EQ("", log.textview->get_buffer()->get_text());
}

TEST(ResultWindows, TitlesAndSizes) {
    window3 distribution({}, false);
    window4 errors({}, {});
    window5 log({});
    window6 tree({}, true);
    window7 stopWords([](const std::string &) {}, "no-such-file");
    window8 measures({}, {});
    const struct {
        Gtk::Window *window;
        const char *title;
        int width;
        int height;
    } cases[] = {{&distribution, "Prikaz rijeci/kategorija", 400, 600},
                 {&errors, "Prikaz kategorija/gresaka", 400, 600},
                 {&log, "Log", 400, 600},
                 {&tree, "Prikaz stabla", 400, 600},
                 {&stopWords, "Stop rijeci", 300, 500},
                 {&measures, "Mjere", 400, 600}};
    for (const auto &row : cases) {
        SCOPED_TRACE(row.title);
        int width = 0;
        int height = 0;
        row.window->get_default_size(width, height);
        EXPECT_EQ(row.title, row.window->get_title());
        EXPECT_EQ(row.width, width);
        EXPECT_EQ(row.height, height);
    }
}

TEST(ResultWindows, RowActivationWritesThePositionInTheSortedView) {
    std::ostringstream trace;
    window3 categories({{"a", 5}, {"b", 1}, {"c", 3}}, false, trace);
    EXPECT_EQ("b|1| c|3| a|5|", modelRows(categories.sorted));
    categories.treeview->row_activated(Gtk::TreePath("2"), *categories.treeview->get_column(0));
    EXPECT_EQ("pritisnut je redak...\nredak broj 2\n", trace.str());
}

namespace {

bool writeStopWords() {
    return static_cast<bool>(std::ofstream("ceste_rijeci") << "the of\nand\n");
}

struct StopWordEditorTest : testing::Test {
    std::string rows() { return modelRows(editor.store); }

    WorkingFolder folder;
    const bool stopWordsWritten = writeStopWords();
    std::ostringstream trace;
    std::vector<std::string> errors;
    window7 editor{[this](const std::string &message) { errors.push_back(message); },
                   "ceste_rijeci", trace};
};

} // namespace

TEST_F(StopWordEditorTest, AddsDeletesAndSavesTheSortedList) {
    EXPECT_EQ("Ceste rijeci", editor.treeview->get_column(0)->get_title());
    EXPECT_EQ("and of the", rows());
    click(editor.delete_toolbutton);
    EXPECT_EQ("pritisnuh obrisi\n", trace.str());
    click(editor.add_toolbutton);
    EXPECT_EQ(" upisite novu rijec  and of the", rows());

    editor.treeview->get_selection()->select(Gtk::TreePath("2"));
    click(editor.delete_toolbutton);
    EXPECT_EQ("pritisnuh obrisi\npritisnuh obrisi\njer sam ikad tu?\n", trace.str());
    EXPECT_EQ(" upisite novu rijec  and the", rows());

    click(editor.save_toolbutton);
    EXPECT_EQ(" upisite novu rijec \nand\nthe\n", readFile("ceste_rijeci"));
    EXPECT_TRUE(errors.empty());
}

TEST_F(StopWordEditorTest, SaveIntoAMissingFolderIsReported) {
    window7 elsewhere([this](const std::string &message) { errors.push_back(message); },
                      "missing/ceste_rijeci", trace);
    EXPECT_EQ("", modelRows(elsewhere.store));
    click(elsewhere.save_toolbutton);
    EXPECT_EQ(std::vector<std::string>{"Could not open file missing/ceste_rijeci"}, errors);
}

namespace {

struct C45OptionsDialog : dialog2 {
    std::string confirm(bool s, bool m, bool c, bool t, double cValue) {
        s_checkbutton->set_active(s);
        m_checkbutton->set_active(m);
        c_checkbutton->set_active(c);
        t_checkbutton->set_active(t);
        c_spinbutton->set_value(cValue);
        ok_button->clicked();
        return getOptionString();
    }
};

} // namespace

TEST(OptionsDialogs, C45OptionTextFollowsTheTickedBoxesInFixedOrder) {
    C45OptionsDialog dialog;
    EXPECT_EQ("Opcije", dialog.get_title());
    EXPECT_EQ("", dialog.getOptionString());
    EXPECT_EQ(" -s -m 2 -c 25 -t 10", dialog.confirm(true, true, true, true, 25));
    EXPECT_EQ(" -c 50", dialog.confirm(false, false, true, false, 50));
    EXPECT_EQ("", dialog.confirm(false, false, false, false, 50));
}
