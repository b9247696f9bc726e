// Layout of the main window: menu bar, toolbar and the two notebook pages
// ("Text Processing" and "C4.5"). The behaviour lives in window1.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/imagemenuitem.h>
#include <gtkmm/label.h>
#include <gtkmm/menubar.h>
#include <gtkmm/notebook.h>
#include <gtkmm/progressbar.h>
#include <gtkmm/scale.h>
#include <gtkmm/spinbutton.h>
#include <gtkmm/toolbar.h>
#include <gtkmm/toolbutton.h>
#include <gtkmm/window.h>

class window1_glade : public Gtk::Window {
public:
    // Builds and shows the whole widget tree and connects the 33 handlers, each
    // running before the signal's default handler.
    window1_glade();
    // The notebook switches pages while its pages are destroyed, after the
    // handlers' class is gone; the connection ends before that.
    ~window1_glade() override;

protected:
    Gtk::MenuBar *menubar;
    Gtk::ImageMenuItem *open_menuitem;
    Gtk::ImageMenuItem *save_as_menuitem;
    Gtk::ImageMenuItem *load_settings_menuitem;
    Gtk::ImageMenuItem *save_settings_menuitem;
    Gtk::ImageMenuItem *export_menuitem;
    Gtk::MenuItem *options_menuitem;
    Gtk::MenuItem *series_menuitem;
    Gtk::ImageMenuItem *quit_menuitem;
    Gtk::MenuItem *about_menuitem;
    Gtk::Toolbar *toolbar;
    Gtk::ToolButton *open_toolbutton;
    Gtk::ToolButton *execute_toolbutton;
    Gtk::ToolButton *save_toolbutton;
    Gtk::ToolButton *save_as_toolbutton;
    Gtk::ToolButton *load_settings_toolbutton;
    Gtk::ToolButton *save_settings_toolbutton;
    Gtk::Notebook *notebook;
    // Shown only while C4.5 runs or the engine works, with the button that
    // cancels that work; their room is kept when they are hidden, so that
    // the window never changes size for them.
    Gtk::ProgressBar *run_progressbar;
    Gtk::Button *cancel_button;

    // Page "Text Processing".
    Gtk::Label *train_count_label;
    Gtk::Label *test_count_label;
    Gtk::Label *category_count_label;
    Gtk::Label *word_count_label;
    Gtk::Label *selected_word_count_label;
    // Where the counts come from (the folder or state file and the stemming
    // it was read with) and which selection the file set would hold.
    Gtk::Label *corpus_label;
    Gtk::Label *selection_label;
    Gtk::Button *distribution_button;
    Gtk::Button *important_words_button;
    Gtk::HScale *df_scale;
    Gtk::SpinButton *df_spinbutton;
    Gtk::CheckButton *stop_words_checkbutton;
    Gtk::Button *edit_button;
    Gtk::Button *select_words_button;
    Gtk::Button *parse_button;
    Gtk::Button *write_c45_button;

    // Page "C4.5".
    Gtk::Label *file_set_label;
    Gtk::Label *c45_train_count_label;
    Gtk::Label *c45_test_count_label;
    Gtk::Label *c45_category_count_label;
    Gtk::Label *attribute_count_label;
    Gtk::Label *tree_size_bp_label;
    Gtk::Label *tree_size_ap_label;
    Gtk::Button *show_tree_button;
    Gtk::Button *show_pruned_tree_button;
    Gtk::Button *draw_tree_button;
    Gtk::Button *draw_pruned_tree_button;
    Gtk::Button *classify_text_button;
    Gtk::Label *train_estimate_label;
    Gtk::Label *train_size_bp_label;
    Gtk::Label *train_size_ap_label;
    Gtk::Label *train_errors_bp_label;
    Gtk::Label *train_errors_ap_label;
    Gtk::Label *test_estimate_label;
    Gtk::Label *test_size_bp_label;
    Gtk::Label *test_size_ap_label;
    Gtk::Label *test_errors_bp_label;
    Gtk::Label *test_errors_ap_label;
    // The averages of a run with one tree per category; empty otherwise, but
    // with its line kept, so that the page never grows under the user.
    Gtk::Label *category_f1_label;
    Gtk::Button *cm_button;
    Gtk::Button *measures_button;
    Gtk::Button *show_log_button;
    Gtk::Button *choose_names_button;
    Gtk::Button *run_c45_button;

    virtual void on_open_activate() = 0;
    virtual void on_save_as_activate() = 0;
    virtual void on_load_settings_activate() = 0;
    virtual void on_save_settings_activate() = 0;
    virtual void on_export_activate() = 0;
    virtual void on_options_activate() = 0;
    virtual void on_series_activate() = 0;
    virtual void on_quit_activate() = 0;
    virtual void on_about_activate() = 0;
    virtual void on_open_clicked() = 0;
    virtual void on_execute_clicked() = 0;
    virtual void on_save_clicked() = 0;
    virtual void on_save_as_clicked() = 0;
    virtual void on_load_settings_clicked() = 0;
    virtual void on_save_settings_clicked() = 0;
    virtual void on_parse_clicked() = 0;
    virtual void on_write_c45_files_clicked() = 0;
    virtual void on_df_spinbutton_value_changed() = 0;
    virtual void on_df_scale_value_changed() = 0;
    virtual void on_select_words_clicked() = 0;
    virtual void on_stop_words_toggled() = 0;
    virtual void on_edit_stop_words_clicked() = 0;
    virtual void on_distribution_clicked() = 0;
    virtual void on_important_words_clicked() = 0;
    virtual void on_show_tree_clicked() = 0;
    virtual void on_show_pruned_tree_clicked() = 0;
    virtual void on_draw_tree_clicked() = 0;
    virtual void on_draw_pruned_tree_clicked() = 0;
    virtual void on_classify_text_clicked() = 0;
    virtual void on_choose_names_clicked() = 0;
    virtual void on_run_c45_clicked() = 0;
    virtual void on_show_log_clicked() = 0;
    virtual void on_confusion_matrix_clicked() = 0;
    virtual void on_measures_clicked() = 0;
    virtual void on_notebook_switch_page(GtkNotebookPage *page, guint pageNumber) = 0;
    virtual void on_cancel_clicked() = 0;

private:
    Gtk::Widget &buildMenuBar();
    Gtk::Widget &buildToolbar();
    Gtk::Widget &buildTextProcessingPage();
    Gtk::Widget &buildC45Page();
    void connectHandlers();

    sigc::connection switchPageConnection;
};
