#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures, all drawn here in code.

// The six pages of the main window, in tab order.
enum class PageId { Basic, Edges, Picture, Texture, FreeText, Print };
constexpr int kPageCount = 6;

QIcon pageTabIcon(PageId page);
QIcon newDocumentIcon();
QIcon openDocumentIcon();
QIcon saveDocumentIcon();
QIcon webIcon();

// The pictures of the image buttons.
QPixmap aboutButtonPicture();
QPixmap endButtonPicture();
QPixmap printButtonPicture();
QPixmap setupButtonPicture();

// The decorative picture of a page's left column, and the about box's picture.
QPixmap pageColumnPicture(PageId page, QSize size);
QPixmap aboutPicture(QSize size);
