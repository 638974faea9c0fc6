#include "engine/filters/Filter.h"

namespace kp {

std::unique_ptr<pw::TMemoryStream> TkpFilter::CompressStream(const pw::TMemoryStream&, int) const { return nullptr; }

std::string TkpFilter::CompressString(std::string_view, int) const { return {}; }

std::unique_ptr<pw::TMemoryStream> TkpFilter::EncodeStream(const pw::TMemoryStream&) const { return nullptr; }

std::string TkpFilter::EncodeString(std::string_view) const { return {}; }

}  // namespace kp
