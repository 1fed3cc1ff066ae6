#pragma once

#include "app/WindowLayer.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QTabWidget;
class QToolBar;
class QWidget;

namespace vc {

class TZoom_in;

// The main window's own widgets around the table tabs, by their names: the
// outer and the groups' tab widgets, the Internet Explorer tabs' panels and
// options, the status bar's panels, the tool bar and the zoom window.
struct WindowWidgets {
    QTabWidget* mainPageControl = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QTabWidget* PageControl3 = nullptr; // the other browsers' tables
    QWidget* IE_TabSheet = nullptr;
    QWidget* Docs_TabSheet = nullptr;
    QWidget* Web_TabSheet = nullptr;
    QWidget* ToolsTabSheet = nullptr;
    QLabel* HistoryFileNamePanel = nullptr;
    QLabel* ieH_DirectoryPanel = nullptr;
    QLabel* ieC_DirectoryPanel = nullptr;
    QLabel* ieC_FilesLabel = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* ieH_CheckBox = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    // The zoom window of the preview pictures, kept for the whole run.
    TZoom_in* Zoom_in = nullptr;
};

} // namespace vc
