#include "views/card_files.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cerrno>
#include <cstring>

#include "model/file_io.h"
#include "model/file_name.h"
#include "views/card_painter.h"
#include "views/card_sheets.h"
#include "views/qt_text.h"

namespace palabrum {

namespace {

// The texts of this file, for the translation tools and at run time.
struct CardFiles {
    Q_DECLARE_TR_FUNCTIONS(CardFiles)
};

bool Fail(const std::filesystem::path& path, const QString& why, QString* error) {
    if (error) *error = CardFiles::tr("Could not write %1: %2").arg(ToQString(DisplayName(path)), why);
    return false;
}

// Writes what was drawn through the program's one safe writer.
bool Save(const std::filesystem::path& path, const QByteArray& drawn, QString* error) {
    if (WriteFileAtomically(path, Bytes(drawn.begin(), drawn.end()))) return true;
    return Fail(path, QString::fromLocal8Bit(std::strerror(errno)) + QLatin1Char('.'), error);
}

// One card to a page each, on the locale's paper, into `device`.
bool WritePdf(QIODevice& device, const QString& title, const std::vector<CardFace>& faces) {
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Palabrum"));
    writer.setTitle(title);
    writer.setPageLayout(QPageLayout(PaperOfLocale(), QPageLayout::Portrait, QMarginsF()));
    return PaintCardSheets(writer, faces, 1);
}

}  // namespace

bool PrintCards(const std::vector<std::u16string>& words, int count, RandomSource random,
                const std::filesystem::path& pdfPath, QString* error) {
    QString why;
    const std::vector<CardFace> faces = DealCardFaces(words, count, random, &why);
    if (faces.empty()) return Fail(pdfPath, why, error);
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    if (!WritePdf(pdf, CardFiles::tr("Palabrum cards"), faces))
        return Fail(pdfPath, CardFiles::tr("the PDF could not be drawn."), error);
    return Save(pdfPath, pdf.data(), error);
}

bool ExportCard(const CPalabrumDoc& doc, const std::filesystem::path& path, QString* error) {
    const QString name = ToQString(DisplayName(path.filename()));
    const bool png = name.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    const bool pdf = name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    if (!png && !pdf) return Fail(path, CardFiles::tr("the name must end in .png or .pdf."), error);

    const CardFace face = FaceOfGame(doc);
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    bool drawn = false;
    if (png) {
        QImage image(kExportImageSize, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            PaintCard(painter, LayOutCard(image.size()), face);
        }
        drawn = image.save(&file, "PNG");
    } else {
        drawn = WritePdf(file, CardFiles::tr("Palabrum board"), {face});
    }
    if (!drawn) return Fail(path, CardFiles::tr("the card could not be drawn."), error);
    return Save(path, file.data(), error);
}

}  // namespace palabrum
