// KIVO Log Viewer
#include "header/headersheet.h"

#include "header/sheetfonts.h"
#include "header/sheetlayout.h"
#include "header/sheetlogo.h"
#include "header/sheettext.h"
#include "header/uniheader.h"
#include "kivoerror.h"
#include "shell/installedfile.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>

namespace kivo {

namespace {

using namespace sheet;

// The sheet needs some 14 MB while it is drawn; without them there is no page to print.
KivoError noMemoryForSheet()
{
    return KivoError(QStringLiteral("There is not enough memory to draw the header sheet."));
}

// Texts in black on an opaque white cell, placed by the top-left corner of the cell.
class SheetWriter {
public:
    explicit SheetWriter(QPainter &painter)
        : m_painter(painter)
    {
        m_painter.setPen(Qt::black);
        m_painter.setBackground(Qt::white);
        m_painter.setBackgroundMode(Qt::OpaqueMode);
    }

    void setFont(const QFont &font)
    {
        m_painter.setFont(font);
        m_ascent = QFontMetrics(font, m_painter.device()).ascent();
    }
    void text(qint64 x, int y, const QString &text)
    {
        if (!text.isEmpty())
            m_painter.drawText(QPointF(qreal(x), qreal(y + m_ascent)), text);
    }
    void latin1(qint64 x, int y, const char *text) { this->text(x, y, QString::fromLatin1(text)); }
    void centred(Column column, int y, const QString &text)
    {
        this->text(CentredTextX(column.left, column.right, text.size()), y, text);
    }

private:
    QPainter &m_painter;
    int m_ascent = 0;
};

// The pen is centred on the rectangle: half its width inside, half outside.
void drawFrame(QPainter &painter, const Frame &frame)
{
    const int half = FramePen / 2;
    const int left = frame.left - half;
    const int top = frame.top - half;
    const int width = frame.right - frame.left + FramePen;
    const int height = frame.bottom - frame.top + FramePen;
    painter.fillRect(left, top, width, FramePen, Qt::black);
    painter.fillRect(left, frame.bottom - half, width, FramePen, Qt::black);
    painter.fillRect(left, top, FramePen, height, Qt::black);
    painter.fillRect(frame.right - half, top, FramePen, height, Qt::black);
}

// A rule runs from its start up to, not including, its end, as a line is drawn to a point;
// every end lies on a frame or on another rule.
void drawRules(QPainter &painter)
{
    for (const Rule &rule : Rules) {
        if (rule.horizontal)
            painter.fillRect(rule.from, rule.at, rule.to - rule.from, 1, Qt::black);
        else
            painter.fillRect(rule.at, rule.from, 1, rule.to - rule.from, Qt::black);
    }
}

void drawCommentPanel(SheetWriter &writer, const uniheader &header)
{
    writer.setFont(sheetProportionalFont(CommentHeight));
    for (int i = header.Comment.low(); i <= header.Comment.high(); ++i)
        writer.text(CommentX, CommentFirstY + CommentPitch * (i - 1), header.Comment[i]);
    writer.setFont(sheetProportionalFont(TextHeight));
    writer.text(CommentX, CommentTitleY,
                QStringLiteral("COMMENTS:  (") + header.FileName + QLatin1Char(')'));
}

void drawCaptions(SheetWriter &writer)
{
    for (const Caption &caption : Captions)
        writer.latin1(caption.x, caption.y, caption.text);
    for (const CentredCaption &caption : TableCaptions)
        writer.centred(caption.column, caption.y, QString::fromLatin1(caption.text));
}

void drawWellValues(SheetWriter &writer, const uniheader &header, const QLocale &locale)
{
    writer.centred(TitleColumn, CompanyY, header.Company);
    writer.centred(TitleColumn, ProjectY, header.Project);
    writer.centred(TitleColumn, LogNameY, asciiUpper(header.LogName));

    // The row captioned "COUNTRY" shows the location.
    writer.text(WellValueX, 480, header.ServiceCompany);
    writer.text(WellValueX, 520, header.Wellname);
    writer.text(WellValueX, 560, header.Fieldname);
    writer.text(WellValueX, 600, header.Location);
    writer.text(WellValueX, 640, header.Latitude);
    writer.text(WellValueX, 680, header.Longitude);
    for (int i = header.OtherServices.low(); i <= header.OtherServices.high(); ++i)
        writer.text(OtherServicesX, 480 + 40 * (i - 1), header.OtherServices[i]);

    writer.text(WellValueX, 780, header.PermanentDatum);
    writer.text(WellValueX, 820, header.LogDatum);
    writer.text(WellValueX, 860, header.DrillDatum);
    writer.text(ElevationX, 780, header.Elevation);
    writer.text(DatumRealX, 780, sheetReal(header.KellyBushing, locale));
    writer.text(DatumRealX, 820, sheetReal(header.DrillFloor, locale));
    writer.text(DatumRealX, 860, sheetReal(header.GroundLevel, locale));
}

// Run k's column of the runs table (index 0 to 2) and its row of the bit and casing table.
void drawRun(SheetWriter &writer, const runtype &run, int index, const QLocale &locale)
{
    const int xt = RunTextX[size_t(index)];
    const int xn = RunRealX[size_t(index)];
    const auto real = [&locale](double value) {
        return sheetReal(value, locale);
    };
    writer.text(xt, 960, run.DateRun);
    writer.text(xt, 990, QString::number(run.RunNo));
    writer.text(xt, 1020, run.LogType);
    writer.text(xn, 1050, real(run.DepthDriller));
    writer.text(xn, 1080, real(run.DepthLogger));
    writer.text(xn, 1110, real(run.Deepest));
    writer.text(xn, 1140, real(run.Shallow));
    writer.text(xt, 1170, run.Fluid);
    writer.text(xt, 1200, run.Salinity);
    writer.text(xt, 1230, run.FluidDensity);
    writer.text(xt, 1260, run.FluidLevel);
    writer.text(xn, 1290, real(run.MaxTemperature));
    writer.text(xt, 1320, run.RigTime);
    writer.text(xt, 1360, run.Engineer);
    writer.text(xt, 1390, run.Witness);

    const int y = RunRowY[size_t(index)];
    writer.centred(RunNoColumn, y, QString::number(run.RunNo));
    writer.centred(BitColumn, y, real(run.BitRec));
    writer.centred(BitFromColumn, y, real(run.BitRecFrom));
    writer.centred(BitToColumn, y, real(run.BitRecTo));
    writer.centred(CasingSizeColumn, y, real(run.CasRecSize));
    writer.centred(CasingWeightColumn, y, real(run.CasRecWeight));
    writer.centred(CasingFromColumn, y, real(run.CasRecFrom));
    writer.centred(CasingToColumn, y, real(run.CasRecTo));
}

} // namespace

qint64 CentredTextX(qint64 left, qint64 right, qint64 length)
{
    return left + qAbs(right - left) / 2 - FixedCharWidth / 2 * length;
}

QString sheetLogoPath(const QString &programDirectory)
{
    const QDir program(programDirectory);
    const QString beside = program.filePath(QStringLiteral("LOGO.BMP"));
    const QString installed = installedShareFile(programDirectory, QStringLiteral("kivo/LOGO.BMP"));
    return !QFileInfo::exists(beside) && QFileInfo::exists(installed) ? installed : beside;
}

QImage drawHeaderSheet(const uniheader &header, const QString &logoPath, const QLocale &locale)
{
    // Drawn in full colour depth, every pixel black or white, then packed into one bit.
    QImage image(Width, Height, QImage::Format_RGB32);
    if (image.isNull())
        throw noMemoryForSheet();
    image.fill(Qt::white);
    copySheetLogo(loadSheetLogo(logoPath), image);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        drawFrame(painter, CommentFrame);
        drawFrame(painter, MainFrame);
        drawRules(painter);

        // Texts come after every line, so that their cells hide the rules they run over.
        SheetWriter writer(painter);
        drawCommentPanel(writer, header);
        writer.setFont(sheetFixedFont(TextHeight));
        drawCaptions(writer);
        drawWellValues(writer, header, locale);
        for (int k = header.Runs.low(); k <= header.Runs.high(); ++k) {
            if (header.Runs[k].RunNo != 0)
                drawRun(writer, header.Runs[k], k - header.Runs.low(), locale);
        }
    }
    // Black first: Qt's PDF engine, which printing to CUPS goes through as well, writes a one-bit
    // image as one-bit grey only with this colour table; with white first it turns the sheet into
    // a colour JPEG, whose grey fringes blur the thin rules and the small text.
    QImage sheet = image.convertToFormat(QImage::Format_Mono, {qRgb(0, 0, 0), qRgb(255, 255, 255)});
    if (sheet.isNull())
        throw noMemoryForSheet();
    return sheet;
}

void printSheet(QPainter &painter, const QRect &page, const QImage &sheet)
{
    painter.save();
    // Pixels repeated or dropped, never blended into grey, and never compressed with loss, even
    // where the engine cannot keep an image in one bit.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(QRect(page.left() + 20, page.top(), page.width() - 80, page.height()), sheet);
    painter.restore();
}

} // namespace kivo
