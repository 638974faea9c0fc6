#pragma once
// TBatchDriver: the export run. It takes the window's file list from the top, converts each PDF with the
// one document component and writes OutputFolder + OutputBaseName + ".txt", every line followed by CR LF.
// There is no per-file error handling: the first error ends the run after the failing item left the list,
// the window is made usable again and the error reaches the caller (the desktop shows it in a message box).

#include <string>

#include "app/ConversionWindow.h"
#include "app/DocumentConversion.h"

namespace app {

namespace msg {
inline constexpr std::string_view kCompleteExport = "Complete Export File %s";
}  // namespace msg

class TBatchDriver {
public:
    // Both are views: the window owns the document component and outlives the driver.
    TBatchDriver(IConversionWindow& window, kp::TkpPDFDocument& document) : window_(window), document_(document) {}

    // Converts every listed file; returns at once when the list is empty.
    void ExportFiles();
    // Settles OutputFolder: empty becomes the default folder (shown in its label), any other value is cut
    // after its last "/". A missing folder is created, one level only; a failure is not reported here.
    void PrepareOutputFolder();

    // The home folder followed by "/Export/" (HOME unset: "/tmp/Export/").
    static std::string DefaultOutputFolder();

private:
    IConversionWindow& window_;
    kp::TkpPDFDocument& document_;
};

}  // namespace app
