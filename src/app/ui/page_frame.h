#pragma once

#include "app/ui/artwork.h"

#include <QWidget>

class QLabel;

// The frame every page shares: a header strip with a bold caption across the top, and at
// the left a green column with the page's picture and a title box over it. The page's own
// controls go into content().
class PageFrame : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kHeaderHeight = 33;
    static constexpr int kColumnWidth = 209;

    PageFrame(PageId page, const QString& headerCaption, const QString& title,
              QWidget* parent = nullptr);

    QWidget* content() const { return m_content; }
    QString headerCaption() const;
    QString title() const;

  private:
    QLabel* m_caption;
    QLabel* m_title;
    QWidget* m_content;
};
