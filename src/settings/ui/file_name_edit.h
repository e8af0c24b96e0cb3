#pragma once

#include <QRgb>
#include <QWidget>

#include <functional>
#include <optional>

class QLineEdit;
class QToolButton;

// A one-line file name with a browse button that offers the file dialog with a filter.
class FileNameEdit : public QWidget {
    Q_OBJECT
  public:
    static constexpr QRgb kFailureColor = 0xffc00000; // dark red

    // Shows an open dialog with the filter, starting at the current name; nothing on cancel.
    using FileChooser =
        std::function<std::optional<QString>(QWidget*, const QString& filter, const QString&)>;

    explicit FileNameEdit(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    void setFilter(const QString& filter) { m_filter = filter; }
    const QString& filter() const { return m_filter; }
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    // Shows, without interrupting the typing, why the file named cannot be opened: the name in
    // the failure colour and `reason` as its tooltip. An empty reason shows the name plainly.
    void showFailure(const QString& reason);

    QLineEdit* lineEdit() const { return m_edit; }
    QToolButton* browseButton() const { return m_browse; }

  signals:
    // The user typed or browsed to another name.
    void textEdited(const QString& text);

  private:
    void browse();

    QLineEdit* m_edit;
    QToolButton* m_browse;
    QString m_filter;
    FileChooser m_chooser;
};
