#include "plot/iPlotOutput.h"

#include "platform/Bitmap.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Exception.h"
#include "platform/Metafile.h"
#include "plot/iPlotComponent.h"
#include "plot/iPlotMasterManager.h"
#include "plot/iPlotPrinting.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPdfWriter>

namespace {

using K = TiPlotObjectKind;

// The logical pixels of the controls, which a PDF page of the plot's size keeps.
constexpr int screenPixelsPerInch = 96;
constexpr double pointsPerInch = 72;

QByteArray PngBytes(const QImage& Picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Picture.save(&buffer, "PNG");
    return bytes;
}

[[noreturn]] void ThrowCannotCreate(const QString& FileName) {
    throw Exception(QStringLiteral("Cannot create file \"%1\"").arg(FileName));
}

} // namespace

const QString TiPlotOutput::SaveFilter = QStringLiteral(
    "Bitmap (*.bmp)|*.bmp|Enhanced Metafile (*.emf)|*.emf|JPEG File Interchange Format "
    "(*.jpg)|*.jpg|Portable Network Graphics (*.png)|*.png|Portable Document Format "
    "(*.pdf)|*.pdf");

TiPlotToolBarsHidden::TiPlotToolBarsHidden(TiPlotMasterManager& Master) {
    for (int i = 0; i < Master.Count(K::ToolBar); ++i) {
        TiPlotObject* toolBar = Master.Get(K::ToolBar, i);
        visible_.emplace_back(toolBar, toolBar->Visible());
    }
    Master.ShowToolBars(false);
}

TiPlotToolBarsHidden::~TiPlotToolBarsHidden() {
    for (const auto& [toolBar, visible] : visible_)
        if (toolBar) toolBar->SetVisible(visible);
}

void PaintPlotMetafile(TiPlotComponent& Plot, TMetafile& Metafile, const QString& Description) {
    Metafile.SetSize(Plot.Width(), Plot.Height());
    TMetafileCanvas canvas(Metafile, QStringLiteral("Varlex"), Description);
    Plot.iPaintToDC(0, 0, false, canvas);
}

TiPlotOutput::TiPlotOutput(TiPlotComponent& Plot) : plot_(Plot) {}

TiPlotOutput::~TiPlotOutput() = default;

void TiPlotOutput::CopyToClipBoard() {
    TiUpdateBatch batch(plot_);
    TiPlotToolBarsHidden hidden(*plot_.Master());
    plot_.Master()->DeSelectAll();
    PutOnClipboard();
}

void TiPlotOutput::PutOnClipboard() {
    switch (plot_.CopyToClipBoardFormat()) {
    case TiPlotComponent::ipefMetaFile: {
        if (!metafile_) metafile_ = std::make_unique<TMetafile>();
        PaintPlotMetafile(plot_, *metafile_, QStringLiteral("Strip Chart"));
        const QImage picture = plot_.PaintToBitmap()->Image();
        // The PNG beside the SVG serves the programs that paste no vector picture.
        Clipboard().SetContent({picture,
                                {{TClipboard::SvgMimeType(), metafile_->Data()},
                                 {TClipboard::PngMimeType(), PngBytes(picture)}}});
        break;
    }
    case TiPlotComponent::ipefBitmap:
        Clipboard().SetImage(plot_.PaintToBitmap()->Image());
        break;
    case TiPlotComponent::ipefJPEG:
        Clipboard().SetJpeg(plot_.GetJPEG(100, false)->Data());
        break;
    }
}

TMetafile* TiPlotOutput::GetSnapShotPicture() {
    if (!metafile_) metafile_ = std::make_unique<TMetafile>();
    if (!picture_) picture_ = std::make_unique<TMetafile>();
    PaintPlotMetafile(plot_, *metafile_, QStringLiteral("Plot Snapshot"));
    picture_->Assign(*metafile_);
    return picture_.get();
}

void TiPlotOutput::Save() {
    TFileDialogOptions options;
    options.Filter = SaveFilter;
    options.FileName = QStringLiteral("Untitled");
    const std::optional<QString> fileName = Dialogs().SaveFileName(options);
    if (!fileName) return;
    // An ending no format takes fails before the selection is touched.
    FormatOf(*fileName);
    plot_.Master()->DeSelectAll();
    SaveImage(*fileName);
}

TiPlotOutput::TImageFormat TiPlotOutput::FormatOf(const QString& FileName) {
    const QString ending = QFileInfo(FileName).suffix();
    const QString lower = ending.toLower();
    if (lower == u"bmp") return TImageFormat::Bitmap;
    if (lower == u"emf" || lower == u"svg") return TImageFormat::MetaFile;
    if (lower == u"jpg" || lower == u"jpeg") return TImageFormat::JPEG;
    if (lower == u"png") return TImageFormat::PNG;
    if (lower == u"pdf") return TImageFormat::PDF;
    throw Exception(QStringLiteral("Unknown picture file extension (.%1)").arg(ending));
}

void TiPlotOutput::SaveImage(const QString& FileName) {
    switch (FormatOf(FileName)) {
    case TImageFormat::Bitmap:
        plot_.SaveImageToBitmap(FileName);
        break;
    case TImageFormat::MetaFile:
        plot_.SaveImageToMetaFile(FileName);
        break;
    case TImageFormat::JPEG:
        plot_.SaveImageToJPEG(FileName, 100, true);
        break;
    case TImageFormat::PNG:
        if (!plot_.PaintToBitmap()->Image().save(FileName, "PNG")) ThrowCannotCreate(FileName);
        break;
    case TImageFormat::PDF:
        SavePDF(FileName);
        break;
    }
}

void TiPlotOutput::SavePDF(const QString& FileName) {
    const TSize size{plot_.Width(), plot_.Height()};
    const TRect page = PrintPlacement(size, size, {screenPixelsPerInch, screenPixelsPerInch}, {});
    TMetafile picture;
    PaintPlotMetafile(plot_, picture, QString());
    QPdfWriter writer(FileName);
    writer.setResolution(screenPixelsPerInch);
    const QSizeF points = QSizeF(size.cx, size.cy) * pointsPerInch / screenPixelsPerInch;
    writer.setPageLayout(
        QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer)) ThrowCannotCreate(FileName);
    {
        TPainterCanvas canvas(painter);
        canvas.StretchDraw(page, picture);
    }
    painter.end();
}
