// The "C4.5" page, the result and tool windows and the dialogs on known data.
#include "GuiHarness.h"
#include "LayoutCheck.h"

#include "window10.h"
#include "window11.h"
#include "window3.h"
#include "window4.h"
#include "window5.h"
#include "window6.h"
#include "window7.h"
#include "window8.h"
#include "window9.h"

#include "c45/C45OutputFile.h"

#include <gdk/gdkkeysyms.h>
#include <gdkmm/pixbuf.h>
#include <glibmm/markup.h>
#include <gtkmm/entry.h>
#include <gtkmm/menuitem.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <locale>
#include <optional>
#include <regex>

namespace {

std::string measureLabels(const window8 &measures) {
    return joined(" ",
                  {shown(*measures.micro_f1_label), shown(*measures.micro_precision_label),
                   shown(*measures.micro_recall_label), shown(*measures.macro_f1_label),
                   shown(*measures.macro_precision_label), shown(*measures.macro_recall_label)});
}

} // namespace

// The toolkit puts the process in the user's locale; a decimal comma or digit
// grouping must not reach a table or a label. "Nacrtaj" opens the tree before
// pruning, and "Klasificiraj tekst" applies the run with the file set its
// output names, as none was chosen.
TEST(ResultWindows, ShowTheSavedRunAndNoRunAsInTheCLocale) {
    WorkingFolder folder;
    std::ofstream("t.names") << "A, B.\n\ncorn: continuous.\nwheat: continuous.\n";
    std::ofstream("t.tokens") << "stemming: yes\n";
    TestWindow window;
    window.switchToPage(1);
    EXPECT_FALSE(window.draw_tree_button->get_sensitive());
    window.answer(savedRun).on_load_settings_clicked();
    CroatianLocale croatian;
    ASSERT_TRUE(croatian.active()) << "hr_HR.UTF-8 is not installed";
    window.cm_button->clicked();
    window.measures_button->clicked();
    window.show_tree_button->clicked();
    window.show_pruned_tree_button->clicked();
    window.show_log_button->clicked();
    window.draw_tree_button->clicked();
    window.classify_text_button->clicked();
    ASSERT_EQ(7u, window.presented.size());

    window4 &errors = window.presentedAs<window4>(0);
    EXPECT_EQ("A|10|80.00[A|8|80.00 B|2|20.00] B|10|90.00[A|1|10.00 B|9|90.00]",
              modelRows(errors.sorted));

    window8 &measures = window.presentedAs<window8>(1);
    EXPECT_EQ("A|10|8.00|1.00|2.00|0.80|0.89|0.84 B|10|9.00|2.00|1.00|0.90|0.82|0.86",
              modelRows(measures.sorted));
    EXPECT_EQ(joined(" ", {bold("0.85"), bold("0.85"), bold("0.85"), bold("0.849624"),
                           bold("0.853535"), bold("0.85")}),
              measureLabels(measures));

    // The two trees of a run look alike: each window says which one it shows.
    window6 &tree = window.presentedAs<window6>(2);
    EXPECT_EQ("Prikaz stabla prije podrezivanja", tree.get_title());
    EXPECT_EQ("Prikaz stabla prije podrezivanja", tree.header_label->get_text());
    EXPECT_EQ("wheat [<= 0 :[   corn <= 1 : A (10.0)    corn > 1 : B (3.0/1.0)] > 0 : B (7.0)]",
              modelRows(tree.store));
    window6 &pruned = window.presentedAs<window6>(3);
    EXPECT_EQ("Prikaz stabla nakon podrezivanja", pruned.get_title());
    EXPECT_EQ("Prikaz stabla nakon podrezivanja", pruned.header_label->get_text());
    EXPECT_EQ("wheat [<= 0 : A (13.0/3.0) > 0 : B (7.0)]", modelRows(pruned.store));

    window5 &log = window.presentedAs<window5>(4);
    std::string expectedLog;
    for (const std::string &line : fileLines(savedRun)) {
        if (line == "<CM>")
            break;
        expectedLog += line + "\n";
    }
    EXPECT_EQ(expectedLog, log.textview->get_buffer()->get_text().raw());

    EXPECT_EQ("Nacrtano stablo prije podrezivanja", window.presentedAs<window10>(5).get_title());
    EXPECT_EQ("Skup fajlova: t, stemiranje da",
              window.presentedAs<window11>(6).file_set_label->get_text());

    // Without a run the measures open empty and no undefined measure, average
    // or per category, shows as a number; activating a row traces its place in
    // the sorted view.
    window8 empty({}, {});
    EXPECT_EQ("", modelRows(empty.sorted));
    EXPECT_EQ(joined(" ", {na, na, na, na, na, na}), measureLabels(empty));
    // B has no test document and none was assigned to it: its recall,
    // precision and F1 are undefined.
    window8 oneSided({3, 0, 0, 0}, {"A", "B"});
    EXPECT_EQ("A|3|3.00|0.00|0.00|1.00|1.00|1.00 B|0|0.00|0.00|0.00|n/a|n/a|n/a",
              modelRows(oneSided.sorted));

    std::ostringstream trace;
    window3 categories({{"a", 5}, {"b", 1}, {"c", 3}}, false, trace);
    EXPECT_EQ("b|1| c|3| a|5|", modelRows(categories.sorted));
    categories.treeview->row_activated(Gtk::TreePath("2"), *categories.treeview->get_column(0));
    EXPECT_EQ("pritisnut je redak...\nredak broj 2\n", trace.str());
    window3 words({{"a", 5}, {"b", 1}, {"c", 3}}, true,
                  {{"a", 0.5f}, {"b", 0.12345f}, {"c", 1234.5f}});
    EXPECT_EQ("b|1|0.1235 c|3|1234.5000 a|5|0.5000", modelRows(words.sorted));
}

namespace {

// The top-level cells of view that are narrower than their text, as
// "row/column title".
std::vector<std::string> clippedCells(Gtk::TreeView &view) {
    std::vector<std::string> clipped;
    const Glib::RefPtr<Gtk::TreeModel> model = view.get_model();
    int number = 0;
    for (const Gtk::TreeModel::Row &row : model->children()) {
        for (Gtk::TreeViewColumn *column : view.get_columns()) {
            column->cell_set_cell_data(model, row, false, false);
            int x = 0, y = 0, width = 0, height = 0;
            column->cell_get_size(Gdk::Rectangle(), x, y, width, height);
            if (width > column->get_width())
                clipped.push_back(std::to_string(number) + "/" + column->get_title());
        }
        ++number;
    }
    return clipped;
}

// Where the character at offset of the line appears inside the log's
// scrolled window.
Gdk::Rectangle onScreen(window5 &log, int line, int offset) {
    const Gtk::TextIter at = log.textview->get_buffer()->get_iter_at_line_offset(line, offset);
    Gdk::Rectangle place;
    log.textview->get_iter_location(at, place);
    int x = 0, y = 0;
    log.textview->buffer_to_window_coords(Gtk::TEXT_WINDOW_WIDGET, place.get_x(), place.get_y(), x,
                                          y);
    log.textview->translate_coordinates(*log.scrolledwindow, x, y, x, y);
    return Gdk::Rectangle(x, y, place.get_width(), place.get_height());
}

} // namespace

// Shown at their opening size with real names, every window has room for
// all it holds, and the tables show all their columns without scrolling; the
// log and the tree, once expanded, show their widest line.
TEST(ResultWindows, OpenWholeAtTheirOpeningSize) {
    const std::string leaf =
        "delta <= 0 : category-with-a-rather-long-name-" + std::string(60, 'n') + " (12.0/3.0)";
    const std::vector<std::string> lines = {
        "Decision Tree:",      "", "alpha <= 0 :", "|   beta <= 0 :", "|   |   gamma <= 0 :",
        "|   |   |   " + leaf, ""};
    const std::vector<std::string> longNames = {"noun-communication", "adj-all",
                                                "verb-competition"};
    const std::vector<int> counts = {120, 3, 4, 2, 297, 0, 1, 0, 14};
    window3 distribution({{"noun-communication", 110}, {"adj-all", 297}}, false);
    window3 words({{"communication-and-everything-beyond-it", 12345}, {"adjective", 9}}, true,
                  {{"communication-and-everything-beyond-it", 0.25f}, {"adjective", 0.125f}});
    window4 errors(counts, longNames);
    errors.treeview->expand_all();
    window5 log(lines);
    window6 tree(lines, false);
    EXPECT_EQ("alpha [<= 0 :[   beta <= 0 :[   gamma <= 0 :[   " + leaf + "]]]]",
              modelRows(tree.store));
    tree.treeview->expand_all();
    window7 stopWords("no-such-file");
    window8 measures(counts, longNames);
    GuiJobs seriesJobs;
    window9 series(SeriesSettings{}, seriesJobs.service(), {});
    const struct {
        Gtk::Window *window;
        Gtk::TreeView *table;
    } cases[] = {{&distribution, distribution.treeview},
                 {&words, words.treeview},
                 {&errors, errors.treeview},
                 {&log, nullptr},
                 {&tree, tree.treeview},
                 {&stopWords, nullptr},
                 {&measures, measures.treeview},
                 {&series, nullptr}};
    for (const auto &row : cases) {
        SCOPED_TRACE(row.window->get_title());
        row.window->show();
        drainEvents();
        EXPECT_EQ(std::vector<std::string>{}, squeezedWidgets(*row.window));
        if (row.table) {
            const Gtk::Adjustment &sideways = *row.table->get_hadjustment();
            EXPECT_LE(sideways.get_upper(), sideways.get_page_size());
            EXPECT_EQ(std::vector<std::string>{}, clippedCells(*row.table));
        }
        row.window->hide();
    }
    log.show();
    drainEvents();
    const Gdk::Rectangle lineEnd = onScreen(log, 5, static_cast<int>(lines[5].size()));
    EXPECT_GE(lineEnd.get_x(), 0);
    EXPECT_LE(lineEnd.get_x() + lineEnd.get_width(), log.scrolledwindow->get_width());
}

// C4.5 draws its trees and error tables with characters in columns; they
// line up only in a fixed-width font on unbroken lines, and a long log must
// scroll down to its last line.
TEST(ResultWindows, LogKeepsC45ColumnsAndScrollsToItsEnd) {
    std::vector<std::string> lines = {
        "|   |   iii <= 0 :", "|   |   WWW <= 0 :", "wide " + std::string(400, 'x') + " end"};
    for (int i = 0; i < 300; ++i)
        lines.push_back("|   line " + std::to_string(i));
    window5 log(lines);
    log.show();
    drainEvents();

    EXPECT_EQ(onScreen(log, 0, 12).get_x(), onScreen(log, 1, 12).get_x());
    EXPECT_EQ(onScreen(log, 2, 0).get_y(), onScreen(log, 2, 409).get_y());

    // Ctrl+Home, then Ctrl+End, as the user jumps to C4.5's evaluation at the end.
    log.textview->grab_focus();
    for (const int direction : {-1, 1})
        g_signal_emit_by_name(log.textview->gobj(), "move-cursor", GTK_MOVEMENT_BUFFER_ENDS,
                              direction, FALSE);
    const int last = static_cast<int>(lines.size()) - 1;
    EXPECT_TRUE(runLoopUntil([&] {
        const Gdk::Rectangle place = onScreen(log, last, 0);
        return place.get_y() >= 0 &&
               place.get_y() + place.get_height() <= log.scrolledwindow->get_height();
    }));
}

namespace {

bool writeStopWords() {
    return static_cast<bool>(std::ofstream("ceste_rijeci") << "the of\nand\n");
}

// The stop-word editor with its question answered by the test.
class TestStopWordEditor : public window7 {
public:
    using window7::window7;
    bool confirmationAnswer = false;
    std::vector<std::string> questions;

protected:
    bool askConfirmation(const std::string &question) override {
        questions.push_back(question);
        return confirmationAnswer;
    }
};

// The editor on the file "the of\nand\n", shown as the user sees it.
struct StopWordEditorTest : testing::Test {
    StopWordEditorTest() {
        editor.show();
        drainEvents();
    }
    std::string rows() { return modelRows(editor.store); }
    Gtk::TreePath pathOf(const Glib::ustring &word) {
        for (const Gtk::TreeModel::Row &row : editor.store->children())
            if (row[editor.columns.word] == word)
                return editor.store->get_path(row);
        return Gtk::TreePath();
    }
    // The entry in which a word is being edited, if any.
    Gtk::Entry *editing() {
        for (Gtk::Widget *child : editor.treeview->get_children())
            if (auto *entry = dynamic_cast<Gtk::Entry *>(child))
                return entry;
        return nullptr;
    }
    // Types text over the entry being edited and presses Return.
    void type(const Glib::ustring &text) {
        Gtk::Entry *entry = editing();
        ASSERT_NE(nullptr, entry);
        entry->set_text(text);
        entry->activate();
        drainEvents();
    }
    void typeOver(const Glib::ustring &word, const Glib::ustring &text) {
        editor.treeview->set_cursor(pathOf(word), *editor.treeview->get_column(0), true);
        type(text);
    }

    WorkingFolder folder;
    const bool stopWordsWritten = writeStopWords();
    std::ostringstream trace;
    TestStopWordEditor editor{"ceste_rijeci", trace};
};

} // namespace

TEST_F(StopWordEditorTest, EditsAddsDeletesAndSavesTheSortedList) {
    EXPECT_EQ("and of the", rows());
    typeOver("of", "off");
    EXPECT_EQ("and off the", rows());

    click(editor.add_toolbutton);
    ASSERT_NE(nullptr, editing());
    EXPECT_EQ(window7::newWordText, editing()->get_text());
    type("novo");
    EXPECT_EQ("and novo off the", rows());

    // The entry just added, now "novo", is the selected row.
    click(editor.delete_toolbutton);
    editor.treeview->get_selection()->unselect_all();
    click(editor.delete_toolbutton);
    editor.treeview->get_selection()->select(pathOf("the"));
    click(editor.delete_toolbutton);
    EXPECT_EQ("pritisnuh obrisi\njer sam ikad tu?\npritisnuh obrisi\npritisnuh obrisi\n"
              "jer sam ikad tu?\n",
              trace.str());
    EXPECT_EQ("and off", rows());

    // The stop-word reader splits at blanks, so an entry with blanks is stored
    // as its words and an empty one is refused; the note says which happened.
    typeOver("off", "  zz yy\txx ");
    EXPECT_EQ("and xx yy zz", rows());
    EXPECT_TRUE(editor.note_label->get_visible());
    EXPECT_EQ("Unos s razmacima podijeljen je na 3 riječi: zz, yy, xx.",
              editor.note_label->get_text());
    // The note fits under the list without widening the editor.
    ASSERT_TRUE(
        runLoopUntil([this] { return editor.note_label->get_allocation().get_width() > 1; }));
    EXPECT_EQ(std::vector<std::string>{}, squeezedWidgets(editor));
    EXPECT_EQ(300, editor.get_width());

    typeOver("and", " ");
    EXPECT_EQ("and xx yy zz", rows());
    EXPECT_EQ("Prazan unos nije spremljen.", editor.note_label->get_text());

    typeOver("and", " an ");
    EXPECT_EQ("an xx yy zz", rows());
    EXPECT_FALSE(editor.note_label->get_visible());

    // An entry left as Add put it is not a stop word.
    click(editor.add_toolbutton);
    type(window7::newWordText);
    EXPECT_EQ(5u, editor.store->children().size());
    click(editor.save_toolbutton);
    EXPECT_EQ("an\nxx\nyy\nzz\n", readFile("ceste_rijeci"));
    EXPECT_FALSE(editor.note_label->get_visible());
}

TEST_F(StopWordEditorTest, AddedEntryIsScrolledIntoView) {
    for (int i = 0; i < 300; ++i)
        (*editor.store->append())[editor.columns.word] = "w" + std::to_string(1000 + i);
    drainEvents();
    editor.treeview->scroll_to_row(pathOf("w1150"), 0.5);
    drainEvents();

    click(editor.add_toolbutton);
    drainEvents();
    const Gtk::TreePath added = pathOf(window7::newWordText);
    Gtk::TreePath first;
    Gtk::TreePath last;
    ASSERT_TRUE(editor.treeview->get_visible_range(first, last));
    EXPECT_TRUE(first <= added && added <= last)
        << first.to_string() << " " << added.to_string() << " " << last.to_string();
    ASSERT_NE(nullptr, editing());

    // Typed in, the word moves to its place in the sorted list, and the
    // list follows it there.
    type("zzz");
    ASSERT_TRUE(editor.treeview->get_visible_range(first, last));
    const Gtk::TreePath typed = pathOf("zzz");
    EXPECT_TRUE(first <= typed && typed <= last)
        << first.to_string() << " " << typed.to_string() << " " << last.to_string();
}

// Escape takes the entry Add put in back out; what was typed over stays.
TEST_F(StopWordEditorTest, EscapeAndClosingKeepTheListAndAskOnlyWhenUnsaved) {
    click(editor.add_toolbutton);
    ASSERT_NE(nullptr, editing());
    pressKey(*editing(), GDK_Escape);
    EXPECT_EQ(nullptr, editing());
    EXPECT_EQ("and of the", rows());

    editor.treeview->set_cursor(pathOf("of"), *editor.treeview->get_column(0), true);
    ASSERT_NE(nullptr, editing());
    pressKey(*editing(), GDK_Escape);
    EXPECT_EQ("and of the", rows());

    // Nothing changed, so closing asks nothing.
    closeFromTitleBar(editor);
    EXPECT_EQ(std::vector<std::string>{}, editor.questions);
    EXPECT_FALSE(editor.get_visible());

    // Closing with edits not saved asks first; a "no" keeps the editor open,
    // and once saved it closes without asking.
    editor.show();
    drainEvents();
    const std::vector<std::string> asked{window7::closeQuestion};
    typeOver("of", "off");
    closeFromTitleBar(editor);
    EXPECT_EQ(asked, editor.questions);
    EXPECT_TRUE(editor.get_visible());

    click(editor.save_toolbutton);
    EXPECT_EQ("and\noff\nthe\n", readFile("ceste_rijeci"));
    closeFromTitleBar(editor);
    EXPECT_EQ(asked, editor.questions);
    EXPECT_FALSE(editor.get_visible());

    editor.show();
    drainEvents();
    editor.treeview->get_selection()->select(pathOf("the"));
    click(editor.delete_toolbutton);
    editor.confirmationAnswer = true;
    closeFromTitleBar(editor);
    EXPECT_EQ(std::vector<std::string>(2, window7::closeQuestion), editor.questions);
    EXPECT_FALSE(editor.get_visible());
    EXPECT_EQ("and\noff\nthe\n", readFile("ceste_rijeci"));
}

TEST_F(StopWordEditorTest, SaveErrorsAppearOverTheEditorWithTheSystemsReason) {
    const struct {
        const char *path;
        std::string message;
    } cases[] = {
        {"missing/ceste_rijeci",
         "Ne mogu otvoriti fajl missing/ceste_rijeci: " + std::string(std::strerror(ENOENT))},
        {"/dev/full", "Ne mogu zapisati fajl /dev/full: " + std::string(std::strerror(ENOSPC))},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.path);
        window7 elsewhere(row.path, trace);
        (*elsewhere.store->append())[elsewhere.columns.word] = "the";
        elsewhere.show();
        drainEvents();
        EXPECT_EQ("Greška|Stop riječi nisu spremljene.|" + row.message + "|over",
                  messageOf([&elsewhere] { click(elsewhere.save_toolbutton); }, elsewhere));
    }
    EXPECT_EQ("the of\nand\n", readFile("ceste_rijeci"));
}

namespace {

// The job service of a series window tested on its own; a base, so that it
// outlives the window.
struct OwnJobs {
    GuiJobs ownJobs;
};

// The series window with its choosers, questions and error box answered by
// the test, and a run viewer that records what it was given.
class TestSeriesWindow : private OwnJobs, public window9 {
public:
    TestSeriesWindow(const SeriesSettings &base, std::ostream &trace)
        : window9(
              base, ownJobs.service(),
              [this](const std::string &path, const std::vector<std::string> &lines) {
                  viewed.emplace_back(path, lines);
                  return viewerTakesRuns;
              },
              trace) {}

    std::deque<std::string> pathAnswers; // an empty queue answers "cancel"
    std::vector<std::string> pathTitles;
    bool confirmationAnswer = true;
    std::vector<std::string> questions;
    std::vector<std::string> errors;
    bool viewerTakesRuns = true;
    std::vector<std::pair<std::string, std::vector<std::string>>> viewed;

    bool waitUntilIdle() {
        return runLoopUntil([this] { return !running(); });
    }
    void activateRow(const char *path) {
        treeview->row_activated(Gtk::TreePath(path), *treeview->get_column(0));
    }
    // The error box the window shows to a user.
    void showRealError(const std::string &message) { window9::showError(message); }

protected:
    std::string askSavePath(const std::string &title, const std::string &, const std::string &,
                            const std::string &) override {
        pathTitles.push_back(title);
        if (pathAnswers.empty())
            return {};
        const std::string answer = pathAnswers.front();
        pathAnswers.pop_front();
        return answer;
    }
    bool askConfirmation(const std::string &question) override {
        questions.push_back(question);
        return confirmationAnswer;
    }
    void showError(const std::string &message) override { errors.push_back(message); }
};

template <typename T> std::string optionalText(const std::optional<T> &value) {
    if (!value)
        return "";
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << *value;
    return out.str();
}

// The settings and figures of each row as "min_df|top_ig|stemming|stop_words|
// c|m|attributes|size_before|size_after|error_before|error_after|micro_f1|
// macro_f1|error", rows separated by " "; the switches as 0 and 1, or as
// the table shows them, "da" and "ne".
std::string seriesText(const std::vector<SeriesRow> &rows, bool asShown = false) {
    const auto yesNo = [asShown](bool value) {
        return asShown ? (value ? "da" : "ne") : std::to_string(value);
    };
    std::string out;
    for (const SeriesRow &row : rows) {
        out += (out.empty() ? "" : " ") +
               joined("|", {std::to_string(row.minDf), optionalText(row.topIg), yesNo(row.stemming),
                            yesNo(row.stopWords), optionalText(row.confidence),
                            optionalText(row.minCases), optionalText(row.attributes),
                            optionalText(row.sizeBefore), optionalText(row.sizeAfter),
                            optionalText(row.testErrorBeforePercent),
                            optionalText(row.testErrorAfterPercent), optionalText(row.microF1),
                            optionalText(row.macroF1), row.error});
    }
    return out;
}

// The same texts as the table shows them (every column but the seconds and
// the run file).
std::string tableText(const window9 &window, const Glib::RefPtr<Gtk::TreeModel> &model) {
    std::string out;
    for (const Gtk::TreeModel::Row &row : model->children()) {
        std::string line;
        for (int column = 0; column <= window9::errorColumn; ++column) {
            if (column == window9::errorColumn - 1)
                continue;
            const Glib::ustring text = row[window.columns.text[column]];
            line += (column == 0 ? "" : "|") + text.raw();
        }
        out += (out.empty() ? "" : " ") + line;
    }
    return out;
}

std::string chartText(const SeriesChart &chart) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << chart.title;
    for (const SeriesLine &line : chart.lines) {
        out << " [" << line.label << ":";
        for (const SeriesPoint &point : line.points)
            out << " " << point.attributes << "/" << point.testErrorPercent << "/"
                << point.treeSize;
        out << "]";
    }
    return out.str();
}

// The processes this test program started that still exist (zombies too).
int childProcesses() {
    return countProcesses([](char, pid_t parent, pid_t) { return parent == getpid(); });
}

// A document folder, the stop-word file and the learner in a fresh working
// folder, and the series settings that name them.
struct SeriesWindowTest : testing::Test {
    SeriesWindowTest() {
        folder.copyData("xml");
        folder.copyData("ceste_rijeci");
        base.directory = "xml";
        base.stem = "bla";
#ifdef C45_PROGRAM
        std::filesystem::copy_file(C45_PROGRAM, "c4.5.exe");
#endif
        base.c45Program = folder.path() + "/c4.5.exe";
    }

    WorkingFolder folder;
    SeriesSettings base;
    std::ostringstream trace;
};

} // namespace

// Bad lists are refused with a message before anything starts; good ones are
// read whatever the blanks and the process locale.
TEST_F(SeriesWindowTest, ReadsListsAndRefusesMalformedOnesWithAMessage) {
    TestSeriesWindow window(base, trace);
    const auto notAList = [](const char *field, const char *text) {
        return "Polje \"" + std::string(field) +
               "\" nije ispravna lista brojeva odvojenih zarezima: " + text;
    };
    std::string tooMany = "1";
    for (int minDf = 2; minDf <= 10001; ++minDf)
        tooMany += "," + std::to_string(minDf);
    const struct {
        Gtk::Entry *field;
        const char *text;
        std::string message;
    } cases[] = {
        {window.min_df_entry, "1,,2", notAList("Najmanji df (min-df)", "1,,2")},
        {window.min_df_entry, " ", "Upišite barem jedan najmanji df (min-df)."},
        {window.min_df_entry, "2,-1", "Najmanji df (min-df) ne može biti negativan."},
        {window.min_df_entry, tooMany.c_str(),
         "Serija bi imala 10001 pokretanja, a smije ih imati najviše 10000."},
        {window.top_ig_entry, "10,0", "Najboljih po IG (top-IG) mora biti barem 1."},
        {window.m_entry, "2.5", notAList("Najmanje slučajeva (-m)", "2.5")},
        {window.m_entry, "2,0",
         "Najmanji broj slučajeva (-m) mora biti cijeli broj od 1 do 1000000."},
        {window.c_entry, "25,1O", notAList("Pouzdanost (-c)", "25,1O")},
        {window.c_entry, "101", "Pouzdanost podrezivanja (-c) mora biti broj od 0.001 do 100."},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.text);
        const Glib::ustring before = row.field->get_text();
        row.field->set_text(row.text);
        window.errors.clear();
        window.start_button->clicked();
        EXPECT_EQ(std::vector<std::string>{row.message}, window.errors);
        EXPECT_FALSE(window.running());
        EXPECT_EQ("", modelRows(window.store));
        EXPECT_TRUE(window.start_button->is_sensitive());
        row.field->set_text(before);
    }

    CroatianLocale croatian;
    window.min_df_entry->set_text(" 1, 5 ");
    window.top_ig_entry->set_text("");
    window.m_entry->set_text("2");
    window.c_entry->set_text("12.5,25");
    window.stemming_combo->set_active(2);
    window.stop_words_combo->set_active(1);
    const SeriesSettings settings = window.shownSettings();
    EXPECT_EQ((std::vector<int>{1, 5}), settings.minDf);
    EXPECT_EQ((std::vector<std::optional<int>>{std::nullopt}), settings.topIg);
    EXPECT_EQ((std::vector<std::optional<int>>{2}), settings.minCases);
    EXPECT_EQ((std::vector<std::optional<float>>{12.5f, 25.0f}), settings.confidence);
    EXPECT_EQ((std::vector<bool>{false, true}), settings.stemming);
    EXPECT_EQ((std::vector<bool>{true}), settings.stopWords);

    // A folder that cannot be read ends the series before any run, with the
    // reason in the error box.
    base.directory = "no-such-folder";
    TestSeriesWindow unreadable(base, trace);
    unreadable.start_button->clicked();
    ASSERT_TRUE(unreadable.waitUntilIdle());
    EXPECT_EQ(std::vector<std::string>{"Ne mogu otvoriti mapu no-such-folder"}, unreadable.errors);
    EXPECT_EQ("", modelRows(unreadable.store));
    EXPECT_TRUE(unreadable.start_button->is_sensitive());

    // The real error box has a title and stands over the series window.
    EXPECT_EQ("Greška|Neispravno||over",
              messageOf([&] { window.showRealError("Neispravno"); }, window));
}

// A learner that fails with a message of several lines: its row keeps to one
// line, the whole message shows over it.
TEST_F(SeriesWindowTest, FailedRunShowsOneLineAndTheWholeMessageOverItsRow) {
    writeScript("failing-c45", "echo 'ERROR: first' >&2\necho 'second' >&2\nexit 1\n");
    base.c45Program = folder.path() + "/failing-c45";
    TestSeriesWindow window(base, trace);
    window.start_button->clicked();
    ASSERT_TRUE(window.waitUntilIdle());
    ASSERT_EQ(1u, window.rows().size());
    const std::string &error = window.rows()[0].error;
    const std::size_t lineEnd = error.find('\n');
    ASSERT_NE(std::string::npos, lineEnd) << error;

    const Gtk::TreeModel::Row row = *window.store->children().begin();
    const Glib::ustring cellText = row[window.columns.text[window9::errorColumn]];
    EXPECT_EQ(error.substr(0, lineEnd) + " …", cellText.raw());
    EXPECT_EQ(window.columns.errorTooltip.index(), window.treeview->get_tooltip_column());
    const Glib::ustring tooltip = row[window.columns.errorTooltip];
    EXPECT_EQ(Glib::Markup::escape_text(error).raw(), tooltip.raw());
    EXPECT_NE(std::string::npos, error.find("ERROR: first\nsecond")) << error;
}

// A learner that never ends by itself: only cancelling ends the series.
TEST_F(SeriesWindowTest, CancelAndClosingStopEveryLearnerAndKeepTheWindowUsable) {
    writeScript("endless-c45", "exec sleep 60\n");
    base.c45Program = folder.path() + "/endless-c45";
    base.jobs = 2;
    const int before = childProcesses();
    auto window = std::make_unique<TestSeriesWindow>(base, trace);
    window->min_df_entry->set_text("1,2,3");

    window->start_button->clicked();
    EXPECT_TRUE(window->running());
    EXPECT_EQ("0/3", window->progressbar->get_text());
    EXPECT_FALSE(window->start_button->is_sensitive());
    EXPECT_FALSE(window->min_df_entry->is_sensitive());
    EXPECT_TRUE(window->cancel_button->is_sensitive());
    ASSERT_TRUE(runLoopUntil([&] { return childProcesses() >= before + 2; }));

    // A second series on the same stem is refused while the first runs.
    {
        TestSeriesWindow second(base, trace);
        second.start_button->clicked();
        ASSERT_TRUE(second.waitUntilIdle());
        ASSERT_EQ(1u, second.errors.size());
        EXPECT_EQ(0u, second.errors[0].find("U mapi ")) << second.errors[0];
        EXPECT_NE(std::string::npos, second.errors[0].find("već radi druga serija"));
        EXPECT_TRUE(window->running());
    }

    // The learners sleep for a minute: ending within the loop's ten seconds
    // means they were stopped, not waited for.
    window->cancel_button->clicked();
    EXPECT_FALSE(window->cancel_button->is_sensitive());
    ASSERT_TRUE(window->waitUntilIdle());
    EXPECT_EQ(before, childProcesses());
    EXPECT_EQ("Prekinuto: 0/3", window->progressbar->get_text());
    EXPECT_EQ("", modelRows(window->store));
    EXPECT_EQ(std::vector<std::string>{}, window->errors);
    EXPECT_TRUE(window->start_button->is_sensitive());
    EXPECT_TRUE(window->min_df_entry->is_sensitive());
    EXPECT_FALSE(window->cancel_button->is_sensitive());
    EXPECT_FALSE(window->export_csv_button->is_sensitive());

    // Started again and closed while its learners run.
    window->start_button->clicked();
    EXPECT_TRUE(window->running());
    ASSERT_TRUE(runLoopUntil([&] { return childProcesses() >= before + 2; }));
    const auto closing = std::chrono::steady_clock::now();
    window.reset();
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - closing).count(),
              30.0);
    EXPECT_EQ(before, childProcesses());
}

#ifdef C45_PROGRAM
// Four real runs: the table and the chart hold the figures the series engine
// gives for the same settings, and everything exports.
TEST_F(SeriesWindowTest, SmallSeriesShowsExportsAndOpensTheEnginesRows) {
    TestSeriesWindow window(base, trace);
    window.min_df_entry->set_text("1,3");
    window.stemming_combo->set_active(2);
    window.stop_words_combo->set_active(1);
    // Each finished run is named with its settings as the form words them.
    std::vector<std::string> progress;
    window.progressbar->property_text().signal_changed().connect(
        [&] { progress.push_back(window.progressbar->get_text()); });
    window.start_button->clicked();
    ASSERT_TRUE(window.waitUntilIdle());
    ASSERT_EQ(std::vector<std::string>{}, window.errors);
    const std::regex runEnded(
        "[1-4]/4, gotovo run-[1-4] \\(min df [0-9]+, stemiranje (da|ne), stop riječi da\\)");
    EXPECT_EQ(
        4, std::count_if(progress.begin(), progress.end(),
                         [&](const std::string &text) { return std::regex_match(text, runEnded); }))
        << ::testing::PrintToString(progress);

    SeriesSettings engineSettings = window.shownSettings();
    engineSettings.stem = "engine";
    std::ostringstream engineTrace;
    const std::vector<SeriesRow> expected = runSeries(
        engineSettings, [](const SeriesRow &, std::size_t, std::size_t) {},
        std::atomic<bool>(false), engineTrace);
    ASSERT_EQ(4u, expected.size());
    EXPECT_EQ(seriesText(expected, true), tableText(window, window.store));
    std::string titles; // the headings over the figures, in their order
    for (Gtk::TreeViewColumn *column : window.treeview->get_columns())
        titles += column->get_title() + "|";
    EXPECT_EQ("Najmanji df|Najboljih po IG|Stemiranje|Stop riječi|-c|-m|Atributa|Stablo prije|"
              "Stablo nakon|Pogreška prije (%)|Pogreška nakon (%)|Mikro F1|Makro F1|Sekunde|"
              "Greška|Fajl rezultata|",
              titles);
    EXPECT_EQ("4/4", window.progressbar->get_text());
    EXPECT_EQ(1.0, window.progressbar->get_fraction());
    EXPECT_EQ(chartText(seriesChart(expected)), chartText(window.chart()));
    EXPECT_FALSE(window.chart().lines.empty());

    // Sorting by the number of attributes, as the sorted copy of the rows.
    std::vector<SeriesRow> byAttributes = expected;
    std::stable_sort(
        byAttributes.begin(), byAttributes.end(),
        [](const SeriesRow &a, const SeriesRow &b) { return a.attributes < b.attributes; });
    window.treeview->get_column(6)->clicked();
    EXPECT_EQ(seriesText(byAttributes, true), tableText(window, window.sorted));
    EXPECT_EQ(seriesText(byAttributes), seriesText(window.shownRows()));

    // The chart area paints the chart: a white background with dark ink.
    window.show();
    drainEvents();
    const Gtk::Allocation area = window.chart_area->get_allocation();
    const Glib::RefPtr<Gdk::Pixbuf> picture =
        Gdk::Pixbuf::create(Glib::RefPtr<Gdk::Drawable>(window.chart_area->get_window()), 0, 0,
                            area.get_width(), area.get_height());
    std::size_t white = 0, dark = 0;
    for (int y = 0; y < picture->get_height(); ++y)
        for (int x = 0; x < picture->get_width(); ++x) {
            const guint8 *pixel = picture->get_pixels() + y * picture->get_rowstride() +
                                  x * picture->get_n_channels();
            const int sum = pixel[0] + pixel[1] + pixel[2];
            white += sum == 3 * 255;
            dark += sum < 3 * 100;
        }
    const std::size_t pixels = static_cast<std::size_t>(area.get_width()) * area.get_height();
    EXPECT_GT(white, pixels / 2);
    EXPECT_GT(dark, 0u);
    window.hide();

    // The CSV, in the order the table shows, and the chart files through the
    // choosers; a name without its extension gets it, and a file under that
    // name is replaced only when the user agrees.
    window.pathAnswers = {"serija", "graf.svg", "graf", "graf"};
    window.export_csv_button->clicked();
    writeSeriesCsv(window.shownRows(), "expected.csv");
    EXPECT_EQ(readFile("expected.csv"), readFile("serija.csv"));
    window.save_svg_button->clicked();
    std::ofstream("graf.png") << "older picture";
    window.confirmationAnswer = false;
    window.save_png_button->clicked();
    EXPECT_EQ("older picture", readFile("graf.png"));
    window.confirmationAnswer = true;
    window.save_png_button->clicked();
    EXPECT_EQ(4u, window.pathTitles.size());
    EXPECT_EQ(2u, window.questions.size());
    for (const char *file : {"graf.svg", "graf.png"}) {
        SCOPED_TRACE(file);
        const Glib::RefPtr<Gdk::Pixbuf> saved = Gdk::Pixbuf::create_from_file(file);
        EXPECT_EQ(800, saved->get_width());
        EXPECT_EQ(600, saved->get_height());
    }
    EXPECT_EQ(std::vector<std::string>{}, window.errors);

    // A double-click hands the row's saved run to the viewer, or says why
    // the viewer cannot take it now.
    const std::string runFile = (*window.sorted->get_iter("0"))[window.columns.runFile];
    window.activateRow("0");
    ASSERT_EQ(1u, window.viewed.size());
    EXPECT_EQ(runFile, window.viewed[0].first);
    EXPECT_EQ(loadC45Output(runFile), window.viewed[0].second);
    window.viewerTakesRuns = false;
    window.activateRow("1");
    EXPECT_EQ(std::vector<std::string>{"Glavni prozor je zauzet. Rezultat pokretanja otvorite "
                                       "kad završi."},
              window.errors);

    // From the main window: the series opens on its folder, selection and
    // text options, and a double-clicked run becomes the main window's result.
    TestWindow main;
    main.df_scale->set_value(3);
    main.textOptionsAnswer = window1::TextOptions{true, false, false, true};
    main.on_options_activate();
    Gtk::MenuItem *seriesItem = findMenuItem(main, "Serija pokusa");
    ASSERT_NE(nullptr, seriesItem);
    seriesItem->activate();
    ASSERT_EQ(1u, main.presented.size());
    window9 &opened = main.presentedAs<window9>(0);
    EXPECT_EQ("xml", opened.folder_label->get_text());
    EXPECT_EQ("3", opened.min_df_entry->get_text());
    EXPECT_EQ(1, opened.stemming_combo->get_active_row_number());
    EXPECT_TRUE(opened.shownSettings().stemStopWords);
    opened.start_button->clicked();
    ASSERT_TRUE(runLoopUntil([&] { return !opened.running(); }));
    ASSERT_EQ(1u, opened.rows().size());
    const SeriesRow &run = opened.rows()[0];
    ASSERT_TRUE(run.attributes.has_value());
    opened.treeview->row_activated(Gtk::TreePath("0"), *opened.treeview->get_column(0));
    EXPECT_EQ(1, main.notebook->get_current_page());
    EXPECT_EQ(run.runFile, main.runFile);
    EXPECT_EQ(loadC45Output(run.runFile), main.c45Result.outputLines);
    EXPECT_EQ(bold(std::to_string(*run.attributes)), shown(*main.attribute_count_label));
    EXPECT_TRUE(main.measures_button->is_sensitive());
    EXPECT_EQ(std::vector<std::string>{}, main.errors);
}
#endif
