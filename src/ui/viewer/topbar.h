// KIVO Log Viewer
#pragma once

#include <QFrame>
#include <QImage>

class QLabel;

namespace kivo {

// The bar above the image (Panel1): on the left the depth readout under "DEPTH"; to its right
// the open file's name with the angle and bearing readouts, and under them the orientation strip
// stretched over the image's 720 columns.
class TopBar : public QFrame {
    Q_OBJECT

public:
    static constexpr int BarHeight = 38;
    static constexpr int BlockWidth = 63; // the grey block over the depth margin
    static constexpr int UpperStripHeight = 17;
    static constexpr int StripHeight = 19;

    explicit TopBar(QWidget *parent = nullptr);

    // Shows the strip picture (353 x 18) stretched to 720 x 19.
    void setStrip(const QImage &source);
    // The strip as shown, 720 x 19.
    const QImage &strip() const { return m_strip; }
    // Shows the depth readout whole: a text too long for the block (a deep log in feet, junk
    // depths) takes a smaller face, never loses digits.
    void setDepthReadout(const QString &text);

    QLabel *Label1; // depth readout
    QLabel *Label2; // the open file's name
    QLabel *Label3; // angle readout
    QLabel *Label5; // bearing readout
    QLabel *Image1; // orientation strip
    QLabel *Image2; // angle icon
    QLabel *Image3; // ruler icon
    QLabel *Image5; // north arrow icon

private:
    QImage m_strip;
};

} // namespace kivo
