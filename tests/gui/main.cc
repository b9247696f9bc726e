// The GUI test program owns the toolkit for all its tests; it needs a display
// (CTest starts it under xvfb-run).
#include <gtest/gtest.h>
#include <gtkmm/main.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Each test runs with a configuration folder of its own that starts empty:
// the choices its windows save reach neither the user's folder nor the next
// test. The fixture's windows are built after OnTestStart and destroyed
// before OnTestEnd.
class OwnConfigurationFolder : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo &) override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tcw-config-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        folder = pattern;
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    }
    void OnTestEnd(const testing::TestInfo &) override { std::filesystem::remove_all(folder); }
    std::string folder;
};

} // namespace

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new OwnConfigurationFolder);
    Gtk::Main kit(argc, argv);
    return RUN_ALL_TESTS();
}
