#pragma once

#include <QDialog>

class QLabel;

// "Info": who makes the program, with the year of the clock in its notice line.
class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QString noticeText() const;

  private:
    QLabel* m_notice;
};
