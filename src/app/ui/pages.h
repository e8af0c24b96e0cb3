#pragma once

#include "app/ui/page_context.h"

class PageFrame;
class QAbstractButton;
class QVBoxLayout;
class QWidget;

// The six pages of the main window, each built with its frame and bound to the settings.
PageFrame* buildBasicPage(PageContext& context);
PageFrame* buildEdgesPage(PageContext& context);
// `preview` receives the page's picture preview button.
PageFrame* buildPicturePage(PageContext& context, QAbstractButton*& preview);
PageFrame* buildTexturePage(PageContext& context, QAbstractButton*& preview);
PageFrame* buildFreeTextPage(PageContext& context);

// The controls of the "Print" page whose actions are wired up elsewhere.
struct PrintPageControls {
    QAbstractButton* printButton = nullptr;
    QAbstractButton* setupButton = nullptr;
    QAbstractButton* calibrateButton = nullptr;
    QAbstractButton* fitPageButton = nullptr; // sets the zoom that shows the whole page
    QWidget* previewArea = nullptr;           // holds the preview pane, in a layout of its own
};
PageFrame* buildPrintPage(PageContext& context, PrintPageControls& controls);

// Puts the groups and rows below each other in a page's content area, at the top.
QVBoxLayout* stackedContent(QWidget* content);
