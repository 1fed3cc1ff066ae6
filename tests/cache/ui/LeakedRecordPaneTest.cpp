// A leaked record that keeps filler where its address offset was: its row
// has no address, and the detail pane says that none is stored; the record
// after it shows its own address, with no such line.
#include "cache/IndexImage.h"
#include "support/WindowFixture.h"

#include "preview/ui/DetailPane.h"

#include <QPlainTextEdit>

namespace vc::testing {
namespace {

class LeakedRecordPane : public WindowFixture {};

TEST_F(LeakedRecordPane, SaysNoAddressIsStored) {
    QTemporaryDir dir;
    IndexImage image("5.2", 64);
    IndexImage::UrlRecord leak;
    leak.signature = "LEAK";
    leak.blocks = 2;
    leak.url = "http://leaked.example/";
    leak.fileName = "LEAKED.HTM";
    image.putUrlRecord(1024, leak);
    image.put32(1024 + 52, 0xDEADBEEF);
    IndexImage::UrlRecord next;
    next.blocks = 2;
    next.url = "http://next.example/";
    image.putUrlRecord(1280, next);
    chooser.fileAnswer = image.writeTo(dir);
    window->actions().ActionLoadIEActivity->trigger();
    TableTab& t = window->tab(TabId::Activity);
    ASSERT_EQ(t.model->rows(), 2);

    const auto memoFor = [&](int row) {
        t.view->selectionModel()->setCurrentIndex(t.model->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
        QApplication::processEvents();
        return t.pane->memo()->toPlainText().split(QLatin1Char('\n'));
    };
    const int leaked = t.model->cell(0, 0).isEmpty() ? 0 : 1;
    EXPECT_TRUE(t.model->cell(leaked, 0).isEmpty());
    EXPECT_TRUE(memoFor(leaked).contains(QStringLiteral("no address stored")));
    EXPECT_EQ(t.model->cell(1 - leaked, 0), "http://next.example/");
    EXPECT_FALSE(memoFor(1 - leaked).contains(QStringLiteral("no address stored")));
}

} // namespace
} // namespace vc::testing
