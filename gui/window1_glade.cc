// Builds the main window's widget tree. Every widget the behaviour does not
// touch is owned by its container.
#include "window1_glade.h"

#include "c45/NumberText.h"

#include <gtkmm/alignment.h>
#include <gtkmm/frame.h>
#include <gtkmm/image.h>
#include <gtkmm/menu.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/separator.h>
#include <gtkmm/separatormenuitem.h>
#include <gtkmm/separatortoolitem.h>
#include <gtkmm/stock.h>
#include <gtkmm/table.h>
#include <gtkmm/viewport.h>

#include <algorithm>

#include "pictures/categories.xpm"
#include "pictures/documents.xpm"
#include "pictures/evaluation.xpm"
#include "pictures/selection.xpm"
#include "pictures/tree.xpm"
#include "pictures/words.xpm"

namespace {

const int minimumHeight = 605;
const int frameWidth = 300;
const int buttonWidth = 105;
const int buttonAreaWidth = 255;

// Makes the widget ask for at least the given size (-1: no minimum) while
// still growing with its contents, unlike a fixed size request, which would
// cut off a longer text.
void requestAtLeast(Gtk::Widget &widget, int width, int height) {
    widget.signal_size_request().connect(
        [width, height](Gtk::Requisition *requisition) {
            requisition->width = std::max(requisition->width, width);
            requisition->height = std::max(requisition->height, height);
        },
        true);
}

Gtk::Label &caption(const Glib::ustring &text) {
    Gtk::Label *label = Gtk::manage(new Gtk::Label(text));
    label->set_alignment(0.0, 0.5);
    return *label;
}

Gtk::Label *countLabel() {
    Gtk::Label *label = Gtk::manage(new Gtk::Label());
    label->set_markup(smallBoldMarkup("n/a"));
    label->set_alignment(0.0, 0.5);
    return label;
}

// A small label for a line of text that may be long: cut in the middle to
// the frame's width, the whole of it in the tooltip.
Gtk::Label *sourceLabel() {
    Gtk::Label *label = Gtk::manage(new Gtk::Label());
    label->set_markup("<small>n/a</small>");
    label->set_alignment(0.0, 0.5);
    label->set_ellipsize(Pango::ELLIPSIZE_MIDDLE);
    return label;
}

Gtk::Image &picture(const char *const *xpm) {
    return *Gtk::manage(new Gtk::Image(Gdk::Pixbuf::create_from_xpm_data(xpm)));
}

// A frame without shadow whose title is a bold markup label.
Gtk::Frame &titledFrame(const Glib::ustring &titleMarkup, int width, Gtk::Widget &content) {
    Gtk::Frame *frame = Gtk::manage(new Gtk::Frame());
    Gtk::Label *title = Gtk::manage(new Gtk::Label());
    title->set_markup(titleMarkup);
    frame->set_label_widget(*title);
    frame->set_label_align(0.02, 0.5);
    frame->set_shadow_type(Gtk::SHADOW_NONE);
    frame->set_border_width(5);
    requestAtLeast(*frame, width, -1);
    frame->add(content);
    return *frame;
}

// A button showing a stock image and a caption side by side, centred.
Gtk::Button *captionButton(const Gtk::StockID &stock, const Glib::ustring &text) {
    Gtk::Button *button = Gtk::manage(new Gtk::Button());
    Gtk::Alignment *alignment = Gtk::manage(new Gtk::Alignment(0.5, 0.5, 0.0, 0.0));
    Gtk::HBox *box = Gtk::manage(new Gtk::HBox(false, 2));
    box->pack_start(*Gtk::manage(new Gtk::Image(stock, Gtk::ICON_SIZE_BUTTON)), Gtk::PACK_SHRINK);
    box->pack_start(*Gtk::manage(new Gtk::Label(text, true)), Gtk::PACK_SHRINK);
    alignment->add(*box);
    button->add(*alignment);
    return button;
}

Gtk::Button *flatButton(const Glib::ustring &text) {
    Gtk::Button *button = Gtk::manage(new Gtk::Button(text));
    button->set_relief(Gtk::RELIEF_NONE);
    return button;
}

// The 105-pixel command buttons under a frame's counts sit at the right of a
// 255-pixel strip.
Gtk::Alignment &rightAligned(Gtk::Button &button) {
    Gtk::Alignment *alignment = Gtk::manage(new Gtk::Alignment(1.0, 0.5, 0.0, 1.0));
    requestAtLeast(*alignment, buttonAreaWidth, -1);
    requestAtLeast(button, buttonWidth, -1);
    alignment->add(button);
    return *alignment;
}

// A frame body: the picture in column 0 beside rows of caption and value.
Gtk::Table &pictureTable(int rows, int columns, const char *const *xpm) {
    Gtk::Table *table = Gtk::manage(new Gtk::Table(rows, columns + 1));
    table->set_col_spacings(6);
    table->set_row_spacings(2);
    table->attach(picture(xpm), 0, 1, 0, rows, Gtk::SHRINK, Gtk::SHRINK, 4, 0);
    return *table;
}

void attachRow(Gtk::Table &table, int row, Gtk::Widget &captionWidget, Gtk::Widget &value) {
    table.attach(captionWidget, 1, 2, row, row + 1, Gtk::FILL, Gtk::SHRINK);
    table.attach(value, 2, 3, row, row + 1, Gtk::FILL | Gtk::EXPAND, Gtk::SHRINK);
}

Gtk::ToolButton *stockToolButton(Gtk::Toolbar &toolbar, const Gtk::StockID &stock) {
    Gtk::ToolButton *button = Gtk::manage(new Gtk::ToolButton(stock));
    button->set_visible_horizontal(true);
    button->set_visible_vertical(true);
    button->set_is_important(false);
    toolbar.append(*button);
    return button;
}

Gtk::ImageMenuItem *imageMenuItem(Gtk::Menu &menu, const Gtk::StockID &stock,
                                  const Glib::ustring &text) {
    Gtk::Image *image = Gtk::manage(new Gtk::Image(stock, Gtk::ICON_SIZE_MENU));
    Gtk::ImageMenuItem *item = Gtk::manage(new Gtk::ImageMenuItem(*image, text, true));
    menu.append(*item);
    return item;
}

Gtk::ImageMenuItem *stockMenuItem(Gtk::Menu &menu, const Gtk::StockID &stock) {
    Gtk::ImageMenuItem *item = Gtk::manage(new Gtk::ImageMenuItem(stock));
    menu.append(*item);
    return item;
}

// A page body: a one-column table in a shadowless viewport in a scrolled
// window. The scroll bars never show: the window asks for room for the whole
// of both pages, so that neither opens cut off.
Gtk::ScrolledWindow &pageScroller(Gtk::Table &rows) {
    Gtk::ScrolledWindow *scroller = Gtk::manage(new Gtk::ScrolledWindow());
    scroller->set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_NEVER);
    Gtk::Viewport *viewport =
        Gtk::manage(new Gtk::Viewport(*scroller->get_hadjustment(), *scroller->get_vadjustment()));
    viewport->set_shadow_type(Gtk::SHADOW_NONE);
    viewport->add(rows);
    scroller->add(*viewport);
    return *scroller;
}

} // namespace

window1_glade::window1_glade() {
    set_title("Diplomski zadatak");
    set_default_size(365, minimumHeight);
    requestAtLeast(*this, -1, minimumHeight);
    // Centred once when it opens; after that the window stays where the user
    // put it, also when its contents grow.
    set_position(Gtk::WIN_POS_CENTER);
    set_resizable(true);
    set_modal(false);
    property_destroy_with_parent() = false;

    Gtk::VBox *top = Gtk::manage(new Gtk::VBox(false, 0));
    top->pack_start(buildMenuBar(), Gtk::PACK_SHRINK);
    top->pack_start(buildToolbar(), Gtk::PACK_SHRINK);

    notebook = Gtk::manage(new Gtk::Notebook());
    notebook->set_tab_pos(Gtk::POS_TOP);
    notebook->set_show_border(true);
    notebook->set_scrollable(false);
    notebook->set_can_focus(true);
    notebook->append_page(buildTextProcessingPage(), "Text Processing");
    notebook->append_page(buildC45Page(), "C4.5");

    Gtk::ScrolledWindow *scroller = Gtk::manage(new Gtk::ScrolledWindow());
    scroller->set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_NEVER);
    Gtk::Viewport *viewport =
        Gtk::manage(new Gtk::Viewport(*scroller->get_hadjustment(), *scroller->get_vadjustment()));
    viewport->set_shadow_type(Gtk::SHADOW_NONE);
    // The margin is the notebook's: a viewport asks for room for its border
    // only once, so a border of its own would cut off the page's last line.
    notebook->set_border_width(10);
    viewport->add(*notebook);
    scroller->add(*viewport);
    top->pack_start(*scroller, Gtk::PACK_EXPAND_WIDGET);

    run_progressbar = Gtk::manage(new Gtk::ProgressBar());
    run_progressbar->set_no_show_all(true);
    run_progressbar->set_text(" ");
    cancel_button = Gtk::manage(new Gtk::Button("Prekini"));
    cancel_button->set_no_show_all(true);
    Gtk::HBox *progressArea = Gtk::manage(new Gtk::HBox(false, 6));
    progressArea->pack_start(*run_progressbar, Gtk::PACK_EXPAND_WIDGET);
    progressArea->pack_start(*cancel_button, Gtk::PACK_SHRINK);
    progressArea->signal_size_request().connect(
        [this](Gtk::Requisition *requisition) {
            requisition->height =
                std::max({requisition->height, run_progressbar->size_request().height,
                          cancel_button->size_request().height});
        },
        true);
    top->pack_start(*progressArea, Gtk::PACK_SHRINK);

    add(*top);
    show_all_children();
    // The pages were hidden when added, so none is current yet; choosing the
    // first before the handlers are connected keeps the switch unseen.
    notebook->set_current_page(0);
    connectHandlers();
}

Gtk::Widget &window1_glade::buildMenuBar() {
    menubar = Gtk::manage(new Gtk::MenuBar());

    Gtk::Menu *fileMenu = Gtk::manage(new Gtk::Menu());
    open_menuitem = stockMenuItem(*fileMenu, Gtk::Stock::OPEN);
    save_as_menuitem = stockMenuItem(*fileMenu, Gtk::Stock::SAVE_AS);
    fileMenu->append(*Gtk::manage(new Gtk::SeparatorMenuItem()));
    load_settings_menuitem = imageMenuItem(*fileMenu, Gtk::Stock::OPEN, "Otvori postavke");
    save_settings_menuitem = imageMenuItem(*fileMenu, Gtk::Stock::SAVE_AS, "Snimi postavke");
    fileMenu->append(*Gtk::manage(new Gtk::SeparatorMenuItem()));
    export_menuitem = imageMenuItem(*fileMenu, Gtk::Stock::JUSTIFY_FILL, "Export");
    options_menuitem = Gtk::manage(new Gtk::MenuItem("Opcije"));
    fileMenu->append(*options_menuitem);
    series_menuitem = Gtk::manage(new Gtk::MenuItem("Serija pokusa"));
    fileMenu->append(*series_menuitem);
    quit_menuitem = stockMenuItem(*fileMenu, Gtk::Stock::QUIT);

    Gtk::MenuItem *fileItem = Gtk::manage(new Gtk::MenuItem("_File", true));
    fileItem->set_submenu(*fileMenu);
    menubar->append(*fileItem);

    Gtk::Menu *helpMenu = Gtk::manage(new Gtk::Menu());
    about_menuitem = Gtk::manage(new Gtk::MenuItem("_About", true));
    helpMenu->append(*about_menuitem);
    Gtk::MenuItem *helpItem = Gtk::manage(new Gtk::MenuItem("_Help", true));
    helpItem->set_submenu(*helpMenu);
    menubar->append(*helpItem);
    return *menubar;
}

Gtk::Widget &window1_glade::buildToolbar() {
    toolbar = Gtk::manage(new Gtk::Toolbar());
    toolbar->set_toolbar_style(Gtk::TOOLBAR_BOTH);
    toolbar->set_orientation(Gtk::ORIENTATION_HORIZONTAL);
    toolbar->set_tooltips(true);
    toolbar->set_border_width(1);
    // Every button stays on the bar; the window widens for them instead of
    // hiding the settings buttons behind an overflow arrow.
    toolbar->set_show_arrow(false);

    // window1 gives the buttons their tooltips, which change with the page.
    open_toolbutton = stockToolButton(*toolbar, Gtk::Stock::OPEN);
    execute_toolbutton = stockToolButton(*toolbar, Gtk::Stock::EXECUTE);
    toolbar->append(*Gtk::manage(new Gtk::SeparatorToolItem()));
    save_toolbutton = stockToolButton(*toolbar, Gtk::Stock::SAVE);
    save_as_toolbutton = stockToolButton(*toolbar, Gtk::Stock::SAVE_AS);
    Gtk::ToolItem *separatorItem = Gtk::manage(new Gtk::ToolItem());
    separatorItem->add(*Gtk::manage(new Gtk::VSeparator()));
    toolbar->append(*separatorItem);
    load_settings_toolbutton = stockToolButton(*toolbar, Gtk::Stock::OPEN);
    save_settings_toolbutton = stockToolButton(*toolbar, Gtk::Stock::SAVE);
    return *toolbar;
}

Gtk::Widget &window1_glade::buildTextProcessingPage() {
    Gtk::Table *rows = Gtk::manage(new Gtk::Table(5, 1));

    train_count_label = countLabel();
    test_count_label = countLabel();
    corpus_label = sourceLabel();
    Gtk::Table &documents = pictureTable(3, 2, documents_xpm);
    attachRow(documents, 0, caption("Broj train dokumenata:"), *train_count_label);
    attachRow(documents, 1, caption("Broj test dokumenata:"), *test_count_label);
    documents.attach(*corpus_label, 1, 3, 2, 3, Gtk::FILL, Gtk::SHRINK);
    rows->attach(titledFrame("<b>Dokumenti</b>", frameWidth, documents), 0, 1, 0, 1);

    category_count_label = countLabel();
    distribution_button = captionButton(Gtk::Stock::DIALOG_INFO, "Raspodjela");
    Gtk::Table &categories = pictureTable(2, 2, categories_xpm);
    attachRow(categories, 0, caption("Broj kategorija:          "), *category_count_label);
    categories.attach(rightAligned(*distribution_button), 1, 3, 1, 2, Gtk::FILL, Gtk::SHRINK);
    rows->attach(titledFrame("<b>Kategorije</b>", frameWidth, categories), 0, 1, 1, 2);

    word_count_label = countLabel();
    selected_word_count_label = countLabel();
    important_words_button = captionButton(Gtk::Stock::DIALOG_INFO, "Bitne riječi");
    Gtk::Table &words = pictureTable(3, 2, words_xpm);
    attachRow(words, 0, caption("Broj različitih riječi:"), *word_count_label);
    attachRow(words, 1, caption("Broj izabranih različitih riječi:"), *selected_word_count_label);
    words.attach(rightAligned(*important_words_button), 1, 3, 2, 3, Gtk::FILL, Gtk::SHRINK);
    rows->attach(titledFrame("<b>Riječi</b>", frameWidth, words), 0, 1, 2, 3);

    Gtk::Adjustment *spinAdjustment = Gtk::manage(new Gtk::Adjustment(50, 0, 200, 1, 10, 0));
    df_spinbutton = Gtk::manage(new Gtk::SpinButton(*spinAdjustment, 1, 0));
    // Room for the threshold of a corpus of a hundred thousand documents,
    // so that the page keeps its width whatever corpus is read.
    df_spinbutton->set_width_chars(6);
    df_spinbutton->set_numeric(true);
    df_spinbutton->set_wrap(false);
    df_spinbutton->set_update_policy(Gtk::UPDATE_ALWAYS);
    Gtk::Adjustment *scaleAdjustment = Gtk::manage(new Gtk::Adjustment(50, 0, 200, 1, 0, 0));
    df_scale = Gtk::manage(new Gtk::HScale(*scaleAdjustment));
    df_scale->set_digits(0);
    df_scale->set_draw_value(false);
    df_scale->set_inverted(false);
    df_scale->set_update_policy(Gtk::UPDATE_CONTINUOUS);
    Gtk::HBox *threshold = Gtk::manage(new Gtk::HBox(false, 4));
    threshold->pack_start(*df_scale, Gtk::PACK_EXPAND_WIDGET);
    threshold->pack_start(*df_spinbutton, Gtk::PACK_SHRINK);

    stop_words_checkbutton = Gtk::manage(new Gtk::CheckButton("Izbaci česte riječi"));
    stop_words_checkbutton->set_active(false);
    stop_words_checkbutton->set_border_width(2);
    edit_button = captionButton(Gtk::Stock::FIND_AND_REPLACE, "Edit");
    edit_button->set_relief(Gtk::RELIEF_NONE);
    Gtk::HBox *stopWords = Gtk::manage(new Gtk::HBox(false, 0));
    stopWords->pack_start(*stop_words_checkbutton, Gtk::PACK_SHRINK);
    stopWords->pack_start(*edit_button, Gtk::PACK_SHRINK);

    select_words_button = captionButton(Gtk::Stock::EXECUTE, "Izbaci");
    selection_label = sourceLabel();
    Gtk::Table &selection = pictureTable(6, 1, selection_xpm);
    // A word is kept when its document frequency reaches the threshold.
    selection.attach(caption("Riječi koje se pojavljuju u najmanje:"), 1, 2, 0, 1, Gtk::FILL,
                     Gtk::SHRINK);
    selection.attach(*threshold, 1, 2, 1, 2, Gtk::FILL | Gtk::EXPAND, Gtk::SHRINK);
    selection.attach(caption("train dokumenata. (DF)"), 1, 2, 2, 3, Gtk::FILL, Gtk::SHRINK);
    selection.attach(*stopWords, 1, 2, 3, 4, Gtk::FILL, Gtk::SHRINK);
    selection.attach(rightAligned(*select_words_button), 1, 2, 4, 5, Gtk::FILL, Gtk::SHRINK);
    selection.attach(*selection_label, 1, 2, 5, 6, Gtk::FILL, Gtk::SHRINK);
    rows->attach(titledFrame("<b>Izbor riječi</b>", frameWidth, selection), 0, 1, 3, 4);

    parse_button = captionButton(Gtk::Stock::EXECUTE, "Parsiraj dokumente");
    write_c45_button = captionButton(Gtk::Stock::SAVE, "snimi c4.5 fajlove");
    Gtk::HBox *commands = Gtk::manage(new Gtk::HBox(false, 4));
    commands->set_border_width(5);
    commands->pack_start(*parse_button, Gtk::PACK_EXPAND_WIDGET);
    commands->pack_start(*write_c45_button, Gtk::PACK_EXPAND_WIDGET);
    rows->attach(*commands, 0, 1, 4, 5);

    return pageScroller(*rows);
}

Gtk::Widget &window1_glade::buildC45Page() {
    Gtk::Table *rows = Gtk::manage(new Gtk::Table(7, 1));

    file_set_label = countLabel();
    file_set_label->set_ellipsize(Pango::ELLIPSIZE_START);
    c45_train_count_label = countLabel();
    c45_test_count_label = countLabel();
    c45_category_count_label = countLabel();
    attribute_count_label = countLabel();
    Gtk::Table &documents = pictureTable(5, 2, documents_xpm);
    attachRow(documents, 0, caption("Skup fajlova:"), *file_set_label);
    attachRow(documents, 1, caption("Broj train dokumenata:"), *c45_train_count_label);
    attachRow(documents, 2, caption("Broj test dokumenata:"), *c45_test_count_label);
    attachRow(documents, 3, caption("Broj kategorija:"), *c45_category_count_label);
    attachRow(documents, 4, caption("Broj atributa:"), *attribute_count_label);
    rows->attach(titledFrame("<b>Dokumenti</b>", frameWidth, documents), 0, 1, 0, 1);

    tree_size_bp_label = countLabel();
    tree_size_ap_label = countLabel();
    show_tree_button = flatButton("Prikaži");
    show_pruned_tree_button = flatButton("Prikaži");
    Gtk::Table &tree = pictureTable(3, 4, tree_xpm);
    attachRow(tree, 0, caption("Veličina BP:"), *tree_size_bp_label);
    tree.attach(*show_tree_button, 3, 4, 0, 1, Gtk::SHRINK, Gtk::SHRINK);
    attachRow(tree, 1, caption("Veličina AP:"), *tree_size_ap_label);
    tree.attach(*show_pruned_tree_button, 3, 4, 1, 2, Gtk::SHRINK, Gtk::SHRINK);
    draw_tree_button = flatButton("Nacrtaj");
    draw_pruned_tree_button = flatButton("Nacrtaj");
    classify_text_button = flatButton("Klasificiraj tekst");
    tree.attach(*draw_tree_button, 4, 5, 0, 1, Gtk::SHRINK, Gtk::SHRINK);
    tree.attach(*draw_pruned_tree_button, 4, 5, 1, 2, Gtk::SHRINK, Gtk::SHRINK);
    tree.attach(*classify_text_button, 3, 5, 2, 3, Gtk::FILL, Gtk::SHRINK);
    rows->attach(titledFrame("<b>Stablo odluke</b>", -1, tree), 0, 1, 1, 2);

    struct Evaluation {
        const char *title;
        Gtk::Label *&estimate, *&sizeBp, *&sizeAp, *&errorsBp, *&errorsAp;
    };
    const Evaluation evaluations[] = {
        {"<b>Evaluation on training data</b>", train_estimate_label, train_size_bp_label,
         train_size_ap_label, train_errors_bp_label, train_errors_ap_label},
        {"<b>Evaluation on test data</b>", test_estimate_label, test_size_bp_label,
         test_size_ap_label, test_errors_bp_label, test_errors_ap_label},
    };
    int row = 2;
    for (const Evaluation &evaluation : evaluations) {
        evaluation.estimate = Gtk::manage(new Gtk::Label("n/a"));
        evaluation.estimate->set_alignment(0.0, 0.5);
        evaluation.sizeBp = countLabel();
        evaluation.sizeAp = countLabel();
        evaluation.errorsBp = countLabel();
        evaluation.errorsAp = countLabel();
        Gtk::Table &grid = pictureTable(3, 3, evaluation_xpm);
        grid.attach(*evaluation.estimate, 1, 2, 0, 1, Gtk::FILL, Gtk::SHRINK);
        grid.attach(caption("BP"), 2, 3, 0, 1, Gtk::FILL | Gtk::EXPAND, Gtk::SHRINK);
        grid.attach(caption("AP"), 3, 4, 0, 1, Gtk::FILL | Gtk::EXPAND, Gtk::SHRINK);
        attachRow(grid, 1, caption("Veličina stabla:"), *evaluation.sizeBp);
        grid.attach(*evaluation.sizeAp, 3, 4, 1, 2, Gtk::FILL | Gtk::EXPAND, Gtk::SHRINK);
        attachRow(grid, 2, caption("Broj grešaka:"), *evaluation.errorsBp);
        grid.attach(*evaluation.errorsAp, 3, 4, 2, 3, Gtk::FILL | Gtk::EXPAND, Gtk::SHRINK);
        rows->attach(titledFrame(evaluation.title, -1, grid), 0, 1, row, row + 1);
        ++row;
    }

    cm_button = flatButton("CM");
    measures_button = flatButton("Mjere učinkovitosti");
    Gtk::HBox *results = Gtk::manage(new Gtk::HBox(false, 4));
    results->pack_start(
        *Gtk::manage(new Gtk::Image(Gtk::Stock::JUSTIFY_CENTER, Gtk::ICON_SIZE_LARGE_TOOLBAR)),
        Gtk::PACK_SHRINK, 4);
    results->pack_start(*cm_button, Gtk::PACK_SHRINK);
    results->pack_start(*measures_button, Gtk::PACK_SHRINK);
    category_f1_label = Gtk::manage(new Gtk::Label());
    category_f1_label->set_alignment(0.0, 0.5);
    Gtk::VBox *resultRows = Gtk::manage(new Gtk::VBox(false, 2));
    resultRows->pack_start(*results, Gtk::PACK_SHRINK);
    resultRows->pack_start(*category_f1_label, Gtk::PACK_SHRINK);
    rows->attach(titledFrame("<b>Prikaz rezultata</b>", frameWidth, *resultRows), 0, 1, 4, 5);

    show_log_button = captionButton(Gtk::Stock::JUSTIFY_FILL, "Prikaži Log");
    show_log_button->set_relief(Gtk::RELIEF_NONE);
    Gtk::Alignment *logAlignment = Gtk::manage(new Gtk::Alignment(0.0, 0.5, 0.0, 0.0));
    logAlignment->set_border_width(2);
    logAlignment->add(*show_log_button);
    rows->attach(*logAlignment, 0, 1, 5, 6);

    choose_names_button = Gtk::manage(new Gtk::Button(Gtk::Stock::OPEN));
    run_c45_button = captionButton(Gtk::Stock::EXECUTE, "Pokreni C4.5");
    Gtk::HBox *commands = Gtk::manage(new Gtk::HBox(false, 4));
    commands->set_border_width(5);
    commands->pack_start(*choose_names_button, Gtk::PACK_EXPAND_WIDGET);
    commands->pack_start(*run_c45_button, Gtk::PACK_EXPAND_WIDGET);
    rows->attach(*commands, 0, 1, 6, 7);

    return pageScroller(*rows);
}

void window1_glade::connectHandlers() {
    open_menuitem->signal_activate().connect(sigc::mem_fun(*this, &window1_glade::on_open_activate),
                                             false);
    save_as_menuitem->signal_activate().connect(
        sigc::mem_fun(*this, &window1_glade::on_save_as_activate), false);
    load_settings_menuitem->signal_activate().connect(
        sigc::mem_fun(*this, &window1_glade::on_load_settings_activate), false);
    save_settings_menuitem->signal_activate().connect(
        sigc::mem_fun(*this, &window1_glade::on_save_settings_activate), false);
    export_menuitem->signal_activate().connect(
        sigc::mem_fun(*this, &window1_glade::on_export_activate), false);
    options_menuitem->signal_activate().connect(
        sigc::mem_fun(*this, &window1_glade::on_options_activate), false);
    series_menuitem->signal_activate().connect(
        sigc::mem_fun(*this, &window1_glade::on_series_activate), false);
    quit_menuitem->signal_activate().connect(sigc::mem_fun(*this, &window1_glade::on_quit_activate),
                                             false);
    about_menuitem->signal_activate().connect(
        sigc::mem_fun(*this, &window1_glade::on_about_activate), false);
    open_toolbutton->signal_clicked().connect(sigc::mem_fun(*this, &window1_glade::on_open_clicked),
                                              false);
    execute_toolbutton->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_execute_clicked), false);
    save_toolbutton->signal_clicked().connect(sigc::mem_fun(*this, &window1_glade::on_save_clicked),
                                              false);
    save_as_toolbutton->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_save_as_clicked), false);
    load_settings_toolbutton->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_load_settings_clicked), false);
    save_settings_toolbutton->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_save_settings_clicked), false);
    parse_button->signal_clicked().connect(sigc::mem_fun(*this, &window1_glade::on_parse_clicked),
                                           false);
    write_c45_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_write_c45_files_clicked), false);
    df_spinbutton->signal_value_changed().connect(
        sigc::mem_fun(*this, &window1_glade::on_df_spinbutton_value_changed), false);
    df_scale->signal_value_changed().connect(
        sigc::mem_fun(*this, &window1_glade::on_df_scale_value_changed), false);
    select_words_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_select_words_clicked), false);
    stop_words_checkbutton->signal_toggled().connect(
        sigc::mem_fun(*this, &window1_glade::on_stop_words_toggled), false);
    edit_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_edit_stop_words_clicked), false);
    distribution_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_distribution_clicked), false);
    important_words_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_important_words_clicked), false);
    show_tree_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_show_tree_clicked), false);
    show_pruned_tree_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_show_pruned_tree_clicked), false);
    draw_tree_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_draw_tree_clicked), false);
    draw_pruned_tree_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_draw_pruned_tree_clicked), false);
    classify_text_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_classify_text_clicked), false);
    choose_names_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_choose_names_clicked), false);
    run_c45_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_run_c45_clicked), false);
    show_log_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_show_log_clicked), false);
    cm_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_confusion_matrix_clicked), false);
    measures_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_measures_clicked), false);
    cancel_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window1_glade::on_cancel_clicked), false);
    switchPageConnection = notebook->signal_switch_page().connect(
        sigc::mem_fun(*this, &window1_glade::on_notebook_switch_page), false);
}

window1_glade::~window1_glade() {
    switchPageConnection.disconnect();
}
