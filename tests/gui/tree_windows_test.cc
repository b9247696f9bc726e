// The drawn-tree and text-classification windows on the run of run.c45p:
// wheat and corn decide between A and B.
#include "GuiHarness.h"

#include "window10.h"
#include "window11.h"

#include <gdkmm/pixbuf.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

struct DrawnTree : window10 {
    using window10::window10;
    std::string exportPath;
    std::string askExportPath() override { return exportPath; }
    using window10::on_export_clicked, window10::on_find_clicked, window10::on_zoom_in_clicked,
        window10::on_zoom_out_clicked;

    // Clicks the middle of node's box.
    void clickNode(int node) {
        const NodeBox &box =
            layout()
                .boxes[static_cast<std::size_t>(layout().boxOf[static_cast<std::size_t>(node)])];
        clickAt((box.centreX() - view().originX) * view().scale,
                (box.y + box.height / 2 - view().originY) * view().scale);
    }
};

struct Classifier : window11 {
    using window11::window11;
    std::string textPath;
    std::string askTextPath() override { return textPath; }
};

// The pixels of a picture that are not white.
int inkedPixels(const Glib::RefPtr<Gdk::Pixbuf> &picture) {
    int inked = 0;
    const int channels = picture->get_n_channels();
    for (int y = 0; y < picture->get_height(); ++y) {
        const guint8 *row = picture->get_pixels() + y * picture->get_rowstride();
        for (int x = 0; x < picture->get_width(); ++x)
            if (row[x * channels] != 255 || row[x * channels + 1] != 255 ||
                row[x * channels + 2] != 255)
                ++inked;
    }
    return inked;
}

} // namespace

// Fitting, zooming, switching trees, finding a word and collapsing by a
// click each say in the status line what is shown; the picture saved is the
// area's size, and a name that is no picture's is refused in Croatian. A run
// output without a tree opens an empty picture that says why.
TEST(DrawnTreeWindow, ViewsFindsCollapsesAndSavesWhatIsShown) {
    WorkingFolder folder;
    DrawnTree window(fileLines(savedRun), false);
    const auto status = [&window] { return window.status_label->get_text().raw(); };
    EXPECT_EQ("Nacrtano stablo nakon podrezivanja", window.get_title());
    EXPECT_EQ("Prikazano 3 od 3 čvorova, mjerilo 100 %", status());
    window.on_zoom_in_clicked();
    EXPECT_EQ("Prikazano 3 od 3 čvorova, mjerilo 125 %", status());
    window.on_zoom_out_clicked();
    window.on_zoom_out_clicked();
    EXPECT_EQ("Prikazano 3 od 3 čvorova, mjerilo 80 %", status());

    window.unpruned_checkbutton->set_active(true);
    EXPECT_EQ("Nacrtano stablo prije podrezivanja", window.get_title());
    EXPECT_EQ("Prikazano 5 od 5 čvorova, mjerilo 100 %", status());
    window.find_entry->set_text(" Corn ");
    window.on_find_clicked();
    const int corn = window.selected();
    ASSERT_GE(corn, 0);
    EXPECT_EQ("corn", window.tree().nodes[static_cast<std::size_t>(corn)].attribute);
    EXPECT_EQ("Prikazano 5 od 5 čvorova, mjerilo 100 % — riječ „corn”: 1. od 1", status());
    window.clickNode(corn);
    EXPECT_EQ("Prikazano 3 od 5 čvorova, mjerilo 100 %", status());
    EXPECT_EQ(describeBoxes(window.layout()), "0@0 1@1+2 2@1");
    window.expandAll();
    EXPECT_EQ("Prikazano 5 od 5 čvorova, mjerilo 100 %", status());
    window.clickNode(corn);
    EXPECT_EQ("Prikazano 3 od 5 čvorova, mjerilo 100 %", status());
    window.clickNode(corn);
    EXPECT_EQ("Prikazano 5 od 5 čvorova, mjerilo 100 %", status());
    window.find_entry->set_text("zlato");
    window.on_find_clicked();
    EXPECT_EQ("Prikazano 5 od 5 čvorova, mjerilo 100 % — riječ „zlato” nije u stablu", status());

    window.exportPath = folder.path() + "/stablo.png";
    window.on_export_clicked();
    const auto [width, height] = window.areaSize();
    EXPECT_EQ(0u, readFile(window.exportPath).find("\x89PNG\r\n"));
    const Glib::RefPtr<Gdk::Pixbuf> saved = Gdk::Pixbuf::create_from_file(window.exportPath);
    EXPECT_EQ(width, saved->get_width());
    EXPECT_EQ(height, saved->get_height());
    // Without the legend the picture saved is the same boxes on white alone.
    window.legend_checkbutton->set_active(false);
    window.exportPath = folder.path() + "/bez-legende.png";
    window.on_export_clicked();
    const Glib::RefPtr<Gdk::Pixbuf> bare = Gdk::Pixbuf::create_from_file(window.exportPath);
    EXPECT_LT(inkedPixels(bare), inkedPixels(saved));
    window.legend_checkbutton->set_active(true);
    window.exportPath = folder.path() + "/stablo.gif";
    window.on_export_clicked();
    EXPECT_EQ("Prikazano 5 od 5 čvorova, mjerilo 100 % — slika nije spremljena: ime fajla mora "
              "završavati s .svg ili .png",
              status());
    EXPECT_FALSE(fileExists(window.exportPath));

    DrawnTree broken({"Decision Tree:", "", "wheat <= 0 : A (1.0)", "wheat > 0 :[S1]"}, false);
    EXPECT_EQ("Stablo odluke: poziv na neispisano podstablo: \"> 0 :[S1]\"",
              broken.status_label->get_text().raw());
}

// Documents pasted or opened get their category and path, counted as the
// file set was; a step shows in the drawn tree with its document's path
// marked; without the file set's files nothing can be classified.
TEST(ClassifyWindow, ClassifiesDocumentsAndShowsAStepInTheDrawnTree) {
    WorkingFolder folder;
    std::ofstream("t.names") << "A, B.\n\ncorn: continuous.\nwheat: continuous.\n";
    std::ofstream("t.tokens") << "stemming: no\n";
    std::ofstream("news.xml") << "<DATA><TOPIC>B</TOPIC><TEXT>Corn, corn and CORN</TEXT></DATA>\n"
                                 "<DATA><TEXT>wheat</TEXT></DATA><DATA>no text</DATA>\n";
    Classifier window(fileLines(savedRun), "t");
    EXPECT_EQ("Skup fajlova: t, stemiranje ne", window.file_set_label->get_text());
    window.textPath = "news.xml";
    window.open_button->clicked();
    EXPECT_EQ(
        "Dokument 1|A (označeno: b)|0|1[wheat = 0|<= 0|0|0] Dokument 2|B|1|2[wheat = 1|> 0|1|0]",
        modelRows(window.store));
    EXPECT_EQ("Klasificirano dokumenata: 2, izostavljeno bez <TEXT>: 1",
              window.status_label->get_text());

    window.unpruned_checkbutton->set_active(true);
    window.classify_button->clicked();
    EXPECT_EQ("Dokument 1|B (označeno: b)|0|4[wheat = 0|<= 0|0|0 corn = 3|> 1|0|1] "
              "Dokument 2|B|1|2[wheat = 1|> 0|1|0]",
              modelRows(window.store));
    window.treeview->row_activated(Gtk::TreePath("0:1"), *window.treeview->get_column(0));
    ASSERT_NE(window.treeWindow(), nullptr);
    EXPECT_EQ("Nacrtano stablo prije podrezivanja", window.treeWindow()->get_title());
    EXPECT_EQ(1, window.treeWindow()->selected());
    window.treeWindow()->hide();

    Classifier missing(fileLines(savedRun), "nothing");
    EXPECT_EQ("Skup fajlova: nothing", missing.file_set_label->get_text());
    EXPECT_EQ("Stablo se ne može primijeniti: Ne mogu otvoriti fajl nothing.names: " +
                  std::string(std::strerror(ENOENT)),
              missing.status_label->get_text().raw());
    EXPECT_FALSE(missing.classify_button->get_sensitive());
}

// A per-category run: the drawn tree chooses a category's tree, and a text
// gets every category whose tree claims it, each tree's path beneath it.
TEST(ClassifyWindow, PerCategoryRunShowsEachCategorysTree) {
    WorkingFolder folder;
    const std::vector<std::string> lines =
        fileLines(std::string(TEST_DATA_DIR) + "/../../c45/data/per-category.out");
    DrawnTree drawn(lines, false);
    EXPECT_EQ("Nacrtano stablo nakon podrezivanja, kategorija acq", drawn.get_title());
    EXPECT_FALSE(drawn.unpruned_checkbutton->get_visible());
    drawn.category_combo->set_active(2);
    EXPECT_EQ("Nacrtano stablo nakon podrezivanja, kategorija grain", drawn.get_title());
    EXPECT_EQ("wheat", drawn.tree().nodes[0].attribute);

    std::ofstream("multi.names") << "acq, earn, grain, ship.\n\nport: continuous.\n"
                                    "profit: continuous.\nshare: continuous.\nwheat: continuous.\n";
    std::ofstream("multi.tokens") << "stemming: no\n";
    Classifier window(lines, "multi");
    window.textview->get_buffer()->set_text("Wheat and a share of the port.");
    window.classify_button->clicked();
    EXPECT_EQ("Dokument 1|acq grain ship|0|2["
              "Stablo acq|acq|0|2[share = 1|> 0|0|0] "
              "Stablo earn|not-earn|1|1[profit = 0|<= 1|1|0] "
              "Stablo grain|grain|2|2[wheat = 1|> 0|2|0] "
              "Stablo ship|ship|3|2[port = 1|> 0|3|0]]",
              modelRows(window.store));
    window.treeview->row_activated(Gtk::TreePath("0:2:0"), *window.treeview->get_column(0));
    ASSERT_NE(window.treeWindow(), nullptr);
    EXPECT_EQ("Nacrtano stablo nakon podrezivanja, kategorija grain", window.treeWindow()->get_title());
    EXPECT_EQ(0, window.treeWindow()->selected());
    window.treeWindow()->hide();
}
