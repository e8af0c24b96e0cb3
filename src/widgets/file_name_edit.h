#pragma once

#include <QRgb>
#include <QWidget>

#include <functional>
#include <optional>

class QLineEdit;
class QMimeData;
class QToolButton;

// The one local file that a drag carries; nothing when it carries none, several, or something
// that is not a file on this machine.
std::optional<QString> droppedLocalFile(const QMimeData* data);

// A one-line file name with a browse button that offers the file dialog with a filter. A file
// dropped on it becomes the name, as if the user had browsed to it.
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
    // The user typed, browsed to or dropped another name.
    void textEdited(const QString& text);

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void browse();
    // Takes the drag and drop of a file; anything else the field handles as text.
    bool takeFileDrop(QEvent* event);
    void chooseName(const QString& name);

    QLineEdit* m_edit;
    QToolButton* m_browse;
    QString m_filter;
    FileChooser m_chooser;
};
