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

#include <glibmm/main.h>
#include <gtkmm/entry.h>
#include <gtkmm/messagedialog.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <fstream>
#include <locale>
#include <optional>

namespace {

std::vector<std::string> fixtureLines() {
    std::ifstream in(std::string(TEST_DATA_DIR) + "/run.c45p");
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// The main window after loading the run saved in run.c45p (20 training and
// 20 test cases, categories A and B), on its "C4.5" page.
struct SavedRunTest : testing::Test {
    SavedRunTest() {
        window.switchToPage(1);
        window.pathAnswers.push_back(std::string(TEST_DATA_DIR) + "/run.c45p");
        window.on_load_settings_clicked();
    }

    WorkingFolder folder;
    TestWindow window;
};

// Switches the process to the locale the workbench's users have, as the
// toolkit does at start-up, for as long as it lives.
class CroatianLocale {
public:
    CroatianLocale() : previousGlobal_(std::locale()) {
        const char *current = std::setlocale(LC_ALL, nullptr);
        previousC_ = current ? current : "C";
        available_ = std::setlocale(LC_ALL, "hr_HR.UTF-8") != nullptr;
        if (available_)
            std::locale::global(std::locale("hr_HR.UTF-8"));
    }
    ~CroatianLocale() {
        std::locale::global(previousGlobal_);
        std::setlocale(LC_ALL, previousC_.c_str());
    }
    bool available() const { return available_; }

private:
    std::locale previousGlobal_;
    std::string previousC_;
    bool available_ = false;
};

const std::vector<int> fixtureCounts = {8, 2, 1, 9};
const std::vector<std::string> fixtureNames = {"A", "B"};

std::string measureLabels(const window8 &measures) {
    return joined(" ",
                  {shown(*measures.micro_f1_label), shown(*measures.micro_precision_label),
                   shown(*measures.micro_recall_label), shown(*measures.macro_f1_label),
                   shown(*measures.macro_precision_label), shown(*measures.macro_recall_label)});
}

} // namespace

TEST_F(SavedRunTest, ResultWindowsShowTheSavedRun) {
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
    EXPECT_EQ("Log", log.get_title());
    std::string expectedLog;
    for (const std::string &line : fixtureLines()) {
        if (line == "<CM>")
            break;
        expectedLog += line + "\n";
    }
    EXPECT_EQ(expectedLog, log.textview->get_buffer()->get_text().raw());
}

// The toolkit puts the process in the user's locale; a decimal comma or digit
// grouping must not reach a table or a label.
TEST(ResultWindows, ShowFiguresAsInTheCLocaleUnderACroatianLocale) {
    CroatianLocale croatian;
    if (!croatian.available())
        GTEST_SKIP() << "hr_HR.UTF-8 is not installed";
    window3 words({{"a", 5}, {"b", 1}, {"c", 3}}, true,
                  {{"a", 0.5f}, {"b", 0.12345f}, {"c", 1234.5f}});
    EXPECT_EQ("b|1|0.1235 c|3|1234.5000 a|5|0.5000", modelRows(words.sorted));
    window4 errors(fixtureCounts, fixtureNames);
    EXPECT_EQ("A|10|80.00[A|8|80.00 B|2|20.00] B|10|90.00[A|1|10.00 B|9|90.00]",
              modelRows(errors.sorted));
    window8 measures(fixtureCounts, fixtureNames);
    EXPECT_EQ("A|10|8.00|1.00|2.00|0.80|0.89|0.84 B|10|9.00|2.00|1.00|0.90|0.82|0.86",
              modelRows(measures.sorted));
    EXPECT_EQ(joined(" ", {bold("0.85"), bold("0.85"), bold("0.85"), bold("0.849624"),
                           bold("0.853535"), bold("0.85")}),
              measureLabels(measures));
}

TEST(ResultWindows, OpenEmptyWithoutARun) {
    window4 errors({}, {});
    EXPECT_EQ("", modelRows(errors.sorted));
    EXPECT_EQ(3u, errors.treeview->get_columns().size());
    // No document, so no average is defined: none may show as a number.
    window8 measures({}, {});
    EXPECT_EQ("", modelRows(measures.sorted));
    EXPECT_EQ(8u, measures.treeview->get_columns().size());
    EXPECT_EQ(joined(" ", {na, na, na, na, na, na}), measureLabels(measures));
    window6 tree({}, false);
    EXPECT_EQ("", modelRows(tree.store));
    window5 log({});
    EXPECT_EQ("", log.textview->get_buffer()->get_text());
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
            int x = 0;
            int y = 0;
            int width = 0;
            int height = 0;
            column->cell_get_size(Gdk::Rectangle(), x, y, width, height);
            if (width > column->get_width())
                clipped.push_back(std::to_string(number) + "/" + column->get_title());
        }
        ++number;
    }
    return clipped;
}

} // namespace

// Shown at their opening size with real names, every window has room for
// all it holds, and the tables show all their columns without scrolling.
TEST(ResultWindows, OpenWholeAtTheirOpeningSize) {
    const std::vector<std::string> longNames = {"noun-communication", "adj-all",
                                                "verb-competition"};
    const std::vector<int> counts = {120, 3, 4, 2, 297, 0, 1, 0, 14};
    window3 distribution({{"noun-communication", 110}, {"adj-all", 297}}, false);
    window3 words({{"communication-and-everything-beyond-it", 12345}, {"adjective", 9}}, true,
                  {{"communication-and-everything-beyond-it", 0.25f}, {"adjective", 0.125f}});
    window4 errors(counts, longNames);
    errors.treeview->expand_all();
    window5 log(fixtureLines());
    window6 tree(fixtureLines(), false);
    window7 stopWords("no-such-file");
    window8 measures(counts, longNames);
    const struct {
        Gtk::Window *window;
        Gtk::TreeView *table;
        const char *title;
        int height;
    } cases[] = {{&distribution, distribution.treeview, "Prikaz rijeci/kategorija", 600},
                 {&words, words.treeview, "Prikaz rijeci/kategorija", 600},
                 {&errors, errors.treeview, "Prikaz kategorija/gresaka", 600},
                 {&log, nullptr, "Log", 600},
                 {&tree, nullptr, "Prikaz stabla prije podrezivanja", 600},
                 {&stopWords, nullptr, "Stop rijeci", 500},
                 {&measures, measures.treeview, "Mjere", 600}};
    for (const auto &row : cases) {
        SCOPED_TRACE(row.title);
        EXPECT_EQ(row.title, row.window->get_title());
        int width = 0;
        int height = 0;
        row.window->get_default_size(width, height);
        EXPECT_EQ(row.height, height);
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
}

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

TEST(ResultWindows, RowActivationWritesThePositionInTheSortedView) {
    std::ostringstream trace;
    window3 categories({{"a", 5}, {"b", 1}, {"c", 3}}, false, trace);
    EXPECT_EQ("b|1| c|3| a|5|", modelRows(categories.sorted));
    categories.treeview->row_activated(Gtk::TreePath("2"), *categories.treeview->get_column(0));
    EXPECT_EQ("pritisnut je redak...\nredak broj 2\n", trace.str());
}

namespace {

// Where the character at offset of the line appears inside the log's
// scrolled window.
Gdk::Rectangle onScreen(window5 &log, int line, int offset) {
    const Gtk::TextIter at = log.textview->get_buffer()->get_iter_at_line_offset(line, offset);
    Gdk::Rectangle place;
    log.textview->get_iter_location(at, place);
    int x = 0;
    int y = 0;
    log.textview->buffer_to_window_coords(Gtk::TEXT_WINDOW_WIDGET, place.get_x(), place.get_y(), x,
                                          y);
    log.textview->translate_coordinates(*log.scrolledwindow, x, y, x, y);
    return Gdk::Rectangle(x, y, place.get_width(), place.get_height());
}

} // namespace

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

// What a message dialog showed before it was closed.
struct ShownMessage {
    std::string title;
    std::string text;
    std::string secondary;
    const Gtk::Window *over = nullptr;
};

std::string stringProperty(Gtk::Widget &widget, const char *name) {
    gchar *value = nullptr;
    g_object_get(widget.gobj(), name, &value, nullptr);
    const std::string text = value ? value : "";
    g_free(value);
    return text;
}

// Runs action and closes the first message dialog it opens, as the user would.
std::optional<ShownMessage> closeMessageOf(const std::function<void()> &action) {
    std::optional<ShownMessage> seen;
    sigc::connection poll = Glib::signal_timeout().connect(
        [&seen] {
            for (Gtk::Window *shown : Gtk::Window::list_toplevels()) {
                auto *dialog = dynamic_cast<Gtk::MessageDialog *>(shown);
                if (!dialog || !dialog->get_visible())
                    continue;
                seen = ShownMessage{dialog->get_title(), stringProperty(*dialog, "text"),
                                    stringProperty(*dialog, "secondary-text"),
                                    dialog->get_transient_for()};
                dialog->response(Gtk::RESPONSE_CLOSE);
                return false;
            }
            return true;
        },
        20);
    action();
    poll.disconnect();
    return seen;
}

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
    window7 editor{"ceste_rijeci", trace};
};

} // namespace

TEST_F(StopWordEditorTest, EditsAddsDeletesAndSavesTheSortedList) {
    EXPECT_EQ("Ceste rijeci", editor.treeview->get_column(0)->get_title());
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

    // An entry left as Add put it is not a stop word.
    click(editor.add_toolbutton);
    type(window7::newWordText);
    EXPECT_EQ(3u, editor.store->children().size());
    click(editor.save_toolbutton);
    EXPECT_EQ("and\noff\n", readFile("ceste_rijeci"));
    EXPECT_FALSE(editor.note_label->get_visible());

    window7 reopened("ceste_rijeci", trace);
    EXPECT_EQ("and off", modelRows(reopened.store));
}

// The stop-word reader splits at blanks, so an entry with blanks is stored as
// its words and an empty one is refused; the note says which happened.
TEST_F(StopWordEditorTest, EntriesWithBlanksBecomeSeveralWordsWithANote) {
    typeOver("of", "  zz yy\txx ");
    EXPECT_EQ("and the xx yy zz", rows());
    EXPECT_TRUE(editor.note_label->get_visible());
    EXPECT_EQ("Unos s razmacima podijeljen je na 3 riječi: zz, yy, xx.",
              editor.note_label->get_text());
    // The note fits under the list without widening the editor.
    ASSERT_TRUE(
        runLoopUntil([this] { return editor.note_label->get_allocation().get_width() > 1; }));
    EXPECT_EQ(std::vector<std::string>{}, squeezedWidgets(editor));
    EXPECT_EQ(300, editor.get_width());

    typeOver("and", " ");
    EXPECT_EQ("and the xx yy zz", rows());
    EXPECT_EQ("Prazan unos nije spremljen.", editor.note_label->get_text());

    typeOver("and", " an ");
    EXPECT_EQ("an the xx yy zz", rows());
    EXPECT_FALSE(editor.note_label->get_visible());
    click(editor.save_toolbutton);
    EXPECT_EQ("an\nthe\nxx\nyy\nzz\n", readFile("ceste_rijeci"));
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
}

TEST_F(StopWordEditorTest, SaveErrorsAppearOverTheEditorWithTheSystemsReason) {
    const struct {
        const char *path;
        std::string message;
    } cases[] = {
        {"missing/ceste_rijeci",
         "Could not open file missing/ceste_rijeci: " + std::string(std::strerror(ENOENT))},
        {"/dev/full", "Could not write file /dev/full: " + std::string(std::strerror(ENOSPC))},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.path);
        window7 elsewhere(row.path, trace);
        (*elsewhere.store->append())[elsewhere.columns.word] = "the";
        elsewhere.show();
        drainEvents();
        const std::optional<ShownMessage> shown =
            closeMessageOf([&elsewhere] { click(elsewhere.save_toolbutton); });
        ASSERT_TRUE(shown.has_value());
        EXPECT_EQ("Greška", shown->title);
        EXPECT_EQ("Stop riječi nisu spremljene.", shown->text);
        EXPECT_EQ(row.message, shown->secondary);
        EXPECT_EQ(&elsewhere, shown->over);
    }
    EXPECT_EQ("the of\nand\n", readFile("ceste_rijeci"));
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
