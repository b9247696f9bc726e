#include "GuiHarness.h"

#include "c45/NumberText.h"

#include <glibmm/main.h>
#include <gtkmm/container.h>
#include <gtkmm/label.h>
#include <gtkmm/main.h>
#include <gtkmm/messagedialog.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <unistd.h>

namespace fs = std::filesystem;

void click(Gtk::ToolButton *button) {
    g_signal_emit_by_name(button->gobj(), "clicked");
}

void drainEvents() {
    while (Gtk::Main::events_pending())
        Gtk::Main::iteration(false);
}

bool runLoopUntil(const std::function<bool()> &done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        if (Gtk::Main::events_pending())
            Gtk::Main::iteration(false);
        else
            g_usleep(1000);
    }
    return done();
}

WorkingFolder::WorkingFolder() : previous_(fs::current_path().string()) {
    std::string pattern = (fs::temp_directory_path() / "tcw-gui-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    fs::current_path(path_);
}

WorkingFolder::~WorkingFolder() {
    fs::current_path(previous_);
    fs::remove_all(path_);
}

void WorkingFolder::copyData(const std::string &name) const {
    fs::copy(fs::path(TEST_DATA_DIR) / name, fs::path(path_) / name, fs::copy_options::recursive);
}

std::string bold(const std::string &text) {
    return "<small><b>" + text + "</b></small>";
}

std::string joined(const char *separator, std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string &part : parts)
        out += (out.empty() ? "" : separator) + part;
    return out;
}

std::string readFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> fileLines(const std::string &path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool fileExists(const std::string &path) {
    return fs::exists(path);
}

std::string shown(const Gtk::Label &label) {
    if (label.get_use_markup())
        return label.get_label();
    return "plain:" + label.get_text();
}

namespace {

Gtk::Widget *findWidget(Gtk::Widget &top, const std::function<bool(Gtk::Widget &)> &match) {
    if (match(top))
        return &top;
    std::vector<Gtk::Widget *> children;
    if (auto *container = dynamic_cast<Gtk::Container *>(&top))
        children = container->get_children();
    if (auto *item = dynamic_cast<Gtk::MenuItem *>(&top); item && item->get_submenu())
        children.push_back(item->get_submenu());
    for (Gtk::Widget *child : children)
        if (Gtk::Widget *found = findWidget(*child, match))
            return found;
    return nullptr;
}

} // namespace

Gtk::Label *findLabel(Gtk::Widget &top, const std::string &text) {
    return static_cast<Gtk::Label *>(findWidget(top, [&](Gtk::Widget &w) {
        auto *label = dynamic_cast<Gtk::Label *>(&w);
        return label && label->get_text() == text;
    }));
}

Gtk::MenuItem *findMenuItem(Gtk::Widget &top, const std::string &text) {
    return static_cast<Gtk::MenuItem *>(findWidget(top, [&](Gtk::Widget &w) {
        auto *item = dynamic_cast<Gtk::MenuItem *>(&w);
        auto *label = item ? dynamic_cast<Gtk::Label *>(item->get_child()) : nullptr;
        return label && label->get_text() == text;
    }));
}

void writeScript(const std::string &path, const std::string &body) {
    std::ofstream(path) << "#!/bin/sh\n" << body;
    fs::permissions(path, fs::perms::owner_all);
}

int countProcesses(const std::function<bool(char state, pid_t parent, pid_t group)> &keep) {
    int count = 0;
    for (const auto &entry : fs::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line) || line.rfind(')') == std::string::npos)
            continue;
        std::istringstream fields(line.substr(line.rfind(')') + 1));
        char state = 0;
        pid_t parent = 0, group = 0;
        count += fields >> state >> parent >> group && keep(state, parent, group);
    }
    return count;
}

namespace {

std::string stringProperty(Gtk::Widget &widget, const char *name) {
    gchar *value = nullptr;
    g_object_get(widget.gobj(), name, &value, nullptr);
    const std::string text = value ? value : "";
    g_free(value);
    return text;
}

} // namespace

std::string messageOf(const std::function<void()> &action, const Gtk::Window &parent) {
    std::string seen = "no message";
    answerDialog<Gtk::MessageDialog>(
        action,
        [&](Gtk::MessageDialog &box) {
            seen = joined("|", {box.get_title(), stringProperty(box, "text"),
                                stringProperty(box, "secondary-text"),
                                box.get_transient_for() == &parent ? "over" : "apart"});
            return true;
        },
        Gtk::RESPONSE_CLOSE);
    return seen;
}

void pressKey(Gtk::Widget &widget, guint keyval) {
    GdkEvent *event = gdk_event_new(GDK_KEY_PRESS);
    event->key.window = GDK_WINDOW(g_object_ref(widget.get_window()->gobj()));
    event->key.send_event = TRUE;
    event->key.time = GDK_CURRENT_TIME;
    event->key.keyval = keyval;
    gtk_widget_event(widget.gobj(), event);
    gdk_event_free(event);
    drainEvents();
}

void closeFromTitleBar(Gtk::Window &window) {
    GdkEvent *event = gdk_event_new(GDK_DELETE);
    event->any.window = GDK_WINDOW(g_object_ref(window.get_window()->gobj()));
    event->any.send_event = TRUE;
    gtk_main_do_event(event);
    gdk_event_free(event);
    drainEvents();
}

namespace {

std::string cellText(const Glib::RefPtr<Gtk::TreeModel> &model, const Gtk::TreeModel::iterator &row,
                     int column) {
    GValue value = G_VALUE_INIT;
    gtk_tree_model_get_value(model->gobj(), const_cast<GtkTreeIter *>(row->gobj()), column, &value);
    std::string text;
    if (G_VALUE_HOLDS_INT(&value))
        text = std::to_string(g_value_get_int(&value));
    else if (G_VALUE_HOLDS_DOUBLE(&value))
        text = numberToString(static_cast<float>(g_value_get_double(&value)));
    else if (G_VALUE_HOLDS_STRING(&value) && g_value_get_string(&value))
        text = g_value_get_string(&value);
    g_value_unset(&value);
    return text;
}

std::string rowsOf(const Glib::RefPtr<Gtk::TreeModel> &model,
                   const Gtk::TreeModel::Children &rows) {
    std::string out;
    for (Gtk::TreeModel::iterator row = rows.begin(); row != rows.end(); ++row) {
        if (!out.empty())
            out += ' ';
        for (int column = 0; column < model->get_n_columns(); ++column) {
            if (column > 0)
                out += '|';
            out += cellText(model, row, column);
        }
        if (!row->children().empty())
            out += "[" + rowsOf(model, row->children()) + "]";
    }
    return out;
}

} // namespace

std::string modelRows(const Glib::RefPtr<Gtk::TreeModel> &model) {
    return rowsOf(model, model->children());
}

ConsoleCapture::ConsoleCapture(std::ostream &console)
    : console_(console), previous_(console.rdbuf(captured_.rdbuf())) {}

ConsoleCapture::~ConsoleCapture() {
    console_.rdbuf(previous_);
}

std::string ConsoleCapture::linesStartingWith(const std::string &prefix) const {
    std::istringstream in(captured_.str());
    std::string out;
    for (std::string line; std::getline(in, line);)
        if (line.compare(0, prefix.size(), prefix) == 0)
            out += line + "\n";
    return out;
}

std::string TestWindow::askForPath(const PathRequest &request) {
    pathRequests.push_back(request);
    if (pathAnswers.empty())
        return {};
    const std::string answer = pathAnswers.front();
    pathAnswers.pop_front();
    return answer;
}

std::optional<C45Options> TestWindow::askC45Options(const C45Options &current) {
    c45OptionsShown.push_back(current);
    return c45OptionsAnswer;
}

std::optional<window1::TextOptions> TestWindow::askTextOptions(const TextOptions &current) {
    textOptionsShown.push_back(current);
    return textOptionsAnswer;
}

bool TestWindow::askConfirmation(const std::string &question) {
    questions.push_back(question);
    return confirmationAnswer;
}

bool TestWindow::waitUntilIdle() {
    return runLoopUntil([this] { return !busy(); });
}

std::string TestWindow::sensitivity() const {
    const std::pair<const char *, const Gtk::Widget *> widgets[] = {
        {"distribution", distribution_button},
        {"select", select_words_button},
        {"important", important_words_button},
        {"save", save_toolbutton},
        {"saveAs", save_as_toolbutton},
        {"cm", cm_button},
        {"log", show_log_button},
        {"tree", show_tree_button},
        {"pruned", show_pruned_tree_button},
        {"run", run_c45_button},
        {"measures", measures_button},
        {"names", choose_names_button},
        {"edit", edit_button},
        {"parse", parse_button},
        {"write", write_c45_button},
        {"toolbar", toolbar},
        {"export", export_menuitem},
        {"saveSettings", save_settings_toolbutton},
        {"execute", execute_toolbutton},
    };
    std::string out;
    for (const auto &[name, widget] : widgets)
        out += std::string(out.empty() ? "" : " ") + name + ":" +
               (widget->get_sensitive() ? "1" : "0");
    return out;
}

std::string TestWindow::textProcessingCounts() const {
    return joined(" ", {shown(*train_count_label), shown(*test_count_label),
                        shown(*category_count_label), shown(*word_count_label),
                        shown(*selected_word_count_label)});
}

std::string TestWindow::c45PageLabels() const {
    return joined("\n", {shown(*c45_train_count_label), shown(*c45_test_count_label),
                         shown(*c45_category_count_label), shown(*attribute_count_label),
                         shown(*tree_size_bp_label), shown(*tree_size_ap_label),
                         shown(*train_estimate_label), shown(*train_size_bp_label),
                         shown(*train_size_ap_label), shown(*train_errors_bp_label),
                         shown(*train_errors_ap_label), shown(*test_estimate_label),
                         shown(*test_size_bp_label), shown(*test_size_ap_label),
                         shown(*test_errors_bp_label), shown(*test_errors_ap_label)});
}

void TestWindow::switchToPage(int page) {
    notebook->set_current_page(page);
    drainEvents();
}
