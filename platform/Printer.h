// The printer, reached through Printer(): the printer list and current printer, orientation,
// job title, the device mode's paper and orientation codes, the printable page in device
// pixels, the document and the painter that draws on its page.
#pragma once

#include "platform/Service.h"

#include <QPainter>
#include <QPrinter>
#include <QStringList>
#include <memory>
#include <optional>

enum TPrinterOrientation { poPortrait, poLandscape };

// Codes of the window system's device mode.
struct TDeviceMode {
    static constexpr int PaperLetter = 1;
    static constexpr int PaperLegal = 5;
    static constexpr int PaperA4 = 9;
    static constexpr int OrientationPortrait = 1;
    static constexpr int OrientationLandscape = 2;

    int PaperSize;
    int Orientation;
};

class TPrinter {
public:
    virtual ~TPrinter() = default;

    virtual QStringList Printers() = 0;
    // -1 for the default printer.
    virtual int PrinterIndex() = 0;
    virtual void SetPrinterIndex(int index) = 0;
    virtual void SetOrientation(TPrinterOrientation orientation) = 0;
    virtual void SetTitle(const QString& title) = 0;
    // Nothing when the printer cannot describe its page.
    virtual std::optional<TDeviceMode> DeviceMode() = 0;
    virtual int PageWidth() = 0;
    virtual int PageHeight() = 0;
    // The device pixels per inch of the page, as the printer reports them.
    virtual int PixelsPerInchX() = 0;
    virtual int PixelsPerInchY() = 0;

    // False when the user cancelled.
    virtual bool ExecutePrintDialog() = 0;

    virtual bool Printing() = 0;
    virtual void BeginDoc() = 0;
    virtual void EndDoc() = 0;
    // The page's painter from BeginDoc to EndDoc; null otherwise.
    virtual QPainter* Painter() = 0;

    static TPrinter& Default();
};

using ScopedPrinter = ScopedService<TPrinter>;
inline TPrinter& Printer() {
    return ScopedPrinter::Current();
}

// A QPrinter: the system's printers, or, given a file name, a PDF file, whose print dialog
// answers DialogAnswer without showing anything (for tests).
class QtPrinter : public TPrinter {
public:
    QtPrinter();
    explicit QtPrinter(const QString& pdfFileName);

    QStringList Printers() override;
    int PrinterIndex() override;
    void SetPrinterIndex(int index) override;
    void SetOrientation(TPrinterOrientation orientation) override;
    void SetTitle(const QString& title) override;
    std::optional<TDeviceMode> DeviceMode() override;
    int PageWidth() override;
    int PageHeight() override;
    int PixelsPerInchX() override;
    int PixelsPerInchY() override;
    bool ExecutePrintDialog() override;
    bool Printing() override;
    void BeginDoc() override;
    void EndDoc() override;
    QPainter* Painter() override;

    bool DialogAnswer = true;

private:
    bool IsPdf() const { return printer_.outputFormat() == QPrinter::PdfFormat; }

    QPrinter printer_;
    std::unique_ptr<QPainter> painter_;
};
