#pragma once
// The window state the batch driver reads and changes. The desktop window implements it over its widgets;
// tests implement it over plain fields.

#include <string>

namespace app {

class IConversionWindow {
public:
    virtual ~IConversionWindow() = default;

    // The folder for the text files, normally ending in "/".
    virtual std::string OutputFolder() const = 0;
    virtual void SetOutputFolder(const std::string& folder) = 0;
    // Shows the output folder in its label.
    virtual void ShowOutputFolder(const std::string& folder) = 0;

    // True while a run is in progress (the folder monitor reads it).
    virtual bool Busy() const = 0;
    virtual void SetBusy(bool busy) = 0;

    // The file list in display order: full paths of the PDF files still to convert.
    virtual int FileCount() const = 0;
    virtual std::string FirstFilePath() const = 0;
    virtual void DeleteFirstFile() = 0;

    // The "Preserve Text Format" check box.
    virtual bool PreserveTextFormat() const = 0;
    virtual void SetExportEnabled(bool enabled) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // Points the file preview at path.
    virtual void ShowPreview(const std::string& path) = 0;
};

}  // namespace app
