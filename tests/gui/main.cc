// The GUI test program owns the toolkit for all its tests; it needs a display
// (CTest starts it under xvfb-run).
#include <gtest/gtest.h>
#include <gtkmm/main.h>

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    Gtk::Main kit(argc, argv);
    return RUN_ALL_TESTS();
}
