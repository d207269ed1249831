#include "platform/Printer.h"

#include "platform/Exception.h"

#include <QApplication>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinterInfo>

namespace {

int PaperCode(const QPageSize& size) {
    switch (size.id()) {
    case QPageSize::Letter:
        return TDeviceMode::PaperLetter;
    case QPageSize::Legal:
        return TDeviceMode::PaperLegal;
    case QPageSize::A4:
        return TDeviceMode::PaperA4;
    default:
        return 0;
    }
}

} // namespace

TPrinter& TPrinter::Default() {
    static QtPrinter printer;
    return printer;
}

QtPrinter::QtPrinter() : printer_(QPrinter::HighResolution) {}

QtPrinter::QtPrinter(const QString& pdfFileName) : printer_(QPrinter::HighResolution) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(pdfFileName);
}

QStringList QtPrinter::Printers() {
    return QPrinterInfo::availablePrinterNames();
}

int QtPrinter::PrinterIndex() {
    if (IsPdf()) return -1;
    return int(Printers().indexOf(printer_.printerName()));
}

void QtPrinter::SetPrinterIndex(int index) {
    const QStringList printers = Printers();
    if (index < -1 || index >= printers.size()) {
        throw Exception(QStringLiteral("Printer selected is not valid"));
    }
    printer_.setPrinterName(index < 0 ? QPrinterInfo::defaultPrinterName() : printers[index]);
}

void QtPrinter::SetOrientation(TPrinterOrientation orientation) {
    printer_.setPageOrientation(orientation == poLandscape ? QPageLayout::Landscape
                                                           : QPageLayout::Portrait);
}

void QtPrinter::SetTitle(const QString& title) {
    printer_.setDocName(title);
}

std::optional<TDeviceMode> QtPrinter::DeviceMode() {
    if (!printer_.isValid()) return std::nullopt;
    const QPageLayout layout = printer_.pageLayout();
    return TDeviceMode{PaperCode(layout.pageSize()), layout.orientation() == QPageLayout::Landscape
                                                         ? TDeviceMode::OrientationLandscape
                                                         : TDeviceMode::OrientationPortrait};
}

int QtPrinter::PageWidth() {
    return printer_.width();
}

int QtPrinter::PageHeight() {
    return printer_.height();
}

int QtPrinter::PixelsPerInchX() {
    return printer_.logicalDpiX();
}

int QtPrinter::PixelsPerInchY() {
    return printer_.logicalDpiY();
}

bool QtPrinter::ExecutePrintDialog() {
    if (IsPdf()) return DialogAnswer;
    QPrintDialog dialog(&printer_, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrinter::Printing() {
    return painter_ != nullptr;
}

void QtPrinter::BeginDoc() {
    if (painter_) throw Exception(QStringLiteral("Printing in progress"));
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&printer_)) throw Exception(QStringLiteral("Printer is not ready"));
    painter_ = std::move(painter);
}

void QtPrinter::EndDoc() {
    if (!painter_) throw Exception(QStringLiteral("Printer is not currently printing"));
    painter_->end();
    painter_.reset();
}

QPainter* QtPrinter::Painter() {
    return painter_.get();
}
