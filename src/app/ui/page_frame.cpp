#include "app/ui/page_frame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

const QColor kTan(240, 202, 166);
const QColor kColumnGreen(192, 220, 192);
const QColor kMaroon(128, 0, 0);

// The header: a tan strip whose edge is a lowered bevel outside and a raised one inside.
class HeaderStrip : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = rect();
        p.fillRect(r, kTan);
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        drawBevel(p, r, dark, light);                        // lowered outside
        drawBevel(p, r.adjusted(1, 1, -1, -1), light, dark); // raised inside
    }

  private:
    static void drawBevel(QPainter& p, const QRect& r, const QColor& topLeft,
                          const QColor& bottomRight) {
        p.setPen(topLeft);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
};

// The left column: the page's picture, filling the column.
class PictureColumn : public QWidget {
  public:
    PictureColumn(PageId page, QWidget* parent) : QWidget(parent), m_page(page) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), kColumnGreen);
        if (m_picture.size() != size())
            m_picture = pageColumnPicture(m_page, size());
        p.drawPixmap(0, 0, m_picture);
    }

  private:
    PageId m_page;
    QPixmap m_picture;
};

} // namespace

PageFrame::PageFrame(PageId page, const QString& headerCaption, const QString& title,
                     QWidget* parent)
    : QWidget(parent) {
    auto* header = new HeaderStrip(this);
    header->setObjectName(QStringLiteral("HeaderStrip"));
    header->setFixedHeight(kHeaderHeight);
    m_caption = new QLabel(headerCaption, header);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_caption->move(16, 10);
    m_caption->adjustSize();

    auto* column = new PictureColumn(page, this);
    column->setFixedWidth(kColumnWidth);
    m_title = new QLabel(title, column);
    m_title->setObjectName(QStringLiteral("TitleBox"));
    m_title->setWordWrap(true);
    m_title->setMargin(6);
    m_title->setAutoFillBackground(true);
    QPalette titlePalette = m_title->palette();
    titlePalette.setColor(QPalette::Window, kTan);
    titlePalette.setColor(QPalette::WindowText, kMaroon);
    m_title->setPalette(titlePalette);
    QFont titleFont(QStringLiteral("Arial Black"));
    titleFont.setWeight(QFont::Black);
    titleFont.setPixelSize(19);
    m_title->setFont(titleFont);
    m_title->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_title->setGeometry(8, 8, kColumnWidth - 16, m_title->heightForWidth(kColumnWidth - 16));

    m_content = new QWidget(this);
    m_content->setObjectName(QStringLiteral("PageContent"));

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(column);
    body->addWidget(m_content, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addLayout(body, 1);
}

QString PageFrame::headerCaption() const {
    return m_caption->text();
}

QString PageFrame::title() const {
    return m_title->text();
}
