#pragma once

// The status board behind the window's caption. Several parts of the program may have
// something the class must know (the box not answering, the port not openable, a file that
// could not be read, a journal that cannot be written); each keeps its own text here and the
// caption shows them, most pressing first, each in its own brackets:
// "温度と気圧（ぽるか未接続）". Full screen shows the same text inside the window.

#include <QObject>
#include <QString>

#include <array>

enum class StatusSource {
    Port,      // the box is not answering, or its port cannot be opened
    Journal,   // the recording journal cannot be written
    Files,     // a calibration table is missing or the customization file stopped early
};

inline constexpr const char* kProgramTitle = "温度と気圧";

class StatusBoard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Returns true when the shown text changed, after announcing it. An empty text clears
    // that source.
    bool set(StatusSource source, const QString& text);
    QString text(StatusSource source) const;

    // The bracketed texts, most pressing first ("（ぽるか未接続）"), empty when all is well.
    QString brackets() const;
    // The whole caption: the title followed by the brackets.
    QString caption() const;

signals:
    // The bracketed texts changed (empty when all is well).
    void changed(const QString& brackets);

private:
    std::array<QString, 3> m_texts;
};
