#pragma once

#include <QString>

#include <utility>

// What an operation that can fail tells its caller: that it succeeded, or why it did not, as
// a sentence for the user. Every such operation returns one, and a caller cannot drop it
// unread.
//
//     if (const Failure failure = saveDocument(settings, path); failure.failed())
//         return failure;
class [[nodiscard]] Failure {
  public:
    // Nothing failed.
    Failure() = default;
    static Failure none() { return {}; }
    // Failed, for the reason `message` gives; an empty message still counts as a failure.
    static Failure because(QString message) { return Failure(std::move(message)); }

    bool failed() const { return m_failed; }
    bool succeeded() const { return !m_failed; }
    // Why it failed; empty when it did not.
    const QString& message() const { return m_message; }

    // The same failure with `context` (a file's name, say) before its message, as
    // "context: message"; success stays success.
    Failure within(const QString& context) const {
        return m_failed ? because(context + QStringLiteral(": ") + m_message) : none();
    }

  private:
    explicit Failure(QString message) : m_failed(true), m_message(std::move(message)) {}

    bool m_failed = false;
    QString m_message;
};
