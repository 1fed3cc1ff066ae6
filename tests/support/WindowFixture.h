#pragma once

#include "app/MainWindow.h"
#include "app/RowFocus.h"
#include "evidence/UserProfile.h"
#include "platform/Choosers.h"
#include "platform/DisplayZone.h"
#include "platform/TimeText.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/PictureBox.h"
#include "support/EventLoop.h"
#include "support/PrivateSettings.h"
#include "support/RecordingMessages.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

// A real main window under the offscreen platform, with its dialogs
// answered by a ScriptedChooser and its message boxes recorded. Times are
// shown in UTC with a fixed pattern so texts can be compared. The
// program's settings go to a fresh folder for every test, so a window's
// remembered size, columns or folders never reach the next test (nor the
// examiner's own settings).
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(settings.isValid());
        vc::setDisplayZone(vc::DisplayZone::Utc);
        vc::setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        window = std::make_unique<vc::TForm1>();
        window->setChooser(&chooser);
        // English whatever an earlier run or the examiner's locale chose: the
        // language files beside the test program make a Language menu.
        window->language().LanguageCode = QStringLiteral("en");
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        window.reset();
        vc::setDisplayZone(vc::DisplayZone::Local);
    }
    // Focuses a row of a tab as a click does and waits until its preview
    // has been read; false when it was not read in time.
    bool focusRowAndWait(vc::TabId id, int row) {
        window->showTab(id);
        vc::TableTab& t = window->tab(id);
        vc::focusRow(t, row);
        return processUntil([&] { return !vc::PicturePending(t.pane->imageBox()); });
    }

    PrivateSettings settings;
    RecordingMessages messages;
    vc::ScriptedChooser chooser;
    std::unique_ptr<vc::TForm1> window;
};
