#pragma once

// In full screen the caption is hidden, and it is where the program says what the class must
// know ("（ぽるか未接続）"): a reading frozen on the projector with nothing to say why. While
// the window is full screen and the caption carries such a text, this label shows the same
// text inside the window, large enough to be read from the back of a classroom, in a band of
// its own at the top: the content is shown below the band, smaller when it must be, so the
// text never covers the pictures. It goes when the text goes or the window leaves full screen.

#include <QLabel>
#include <QRect>
#include <QString>

class FullScreenStatus : public QLabel {
    Q_OBJECT
public:
    explicit FullScreenStatus(QWidget& window);

    void setFullScreen(bool fullScreen);
    void setStatus(const QString& brackets);
    // The height of the band the text needs in a window of this size; 0 when nothing shows.
    int bandHeight(QSize window) const;
    // The content and the picture area as they stand in the window.
    void place(const QRect& content, const QRect& pictures);

private:
    void refresh();
    QFont bannerFont(QSize window) const;

    bool m_fullScreen = false;
    QString m_status;
    QRect m_content;
    QRect m_pictures;
};
