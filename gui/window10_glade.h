// Layout of the drawn-tree window: a row of view controls above the drawing
// area, a status line under it.
#pragma once

#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/drawingarea.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

class window10_glade : public Gtk::Window {
public:
    window10_glade();

    // The widgets the behaviour uses; public so that tests and the screenshot
    // driver can read what the window shows.
    Gtk::Button *zoom_in_button;
    Gtk::Button *zoom_out_button;
    Gtk::Button *fit_button;
    Gtk::CheckButton *unpruned_checkbutton;
    Gtk::CheckButton *legend_checkbutton; // the legend can hide boxes panned under it
    Gtk::ComboBoxText *category_combo; // shown for a per-category run only
    Gtk::Entry *find_entry;
    Gtk::Button *find_button;
    Gtk::Button *export_button;
    Gtk::DrawingArea *tree_area;
    Gtk::Label *status_label;

protected:
    virtual void on_zoom_in_clicked() = 0;
    virtual void on_zoom_out_clicked() = 0;
    virtual void on_fit_clicked() = 0;
    virtual void on_unpruned_toggled() = 0;
    virtual void on_legend_toggled() = 0;
    virtual void on_category_changed() = 0;
    virtual void on_find_clicked() = 0;
    virtual void on_export_clicked() = 0;
    virtual bool on_tree_area_expose_event(GdkEventExpose *event) = 0;
    virtual bool on_tree_area_button_press_event(GdkEventButton *event) = 0;
    virtual bool on_tree_area_button_release_event(GdkEventButton *event) = 0;
    virtual bool on_tree_area_motion_notify_event(GdkEventMotion *event) = 0;
    virtual bool on_tree_area_scroll_event(GdkEventScroll *event) = 0;
};
