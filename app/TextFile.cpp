#include "app/TextFile.h"

#include "platform/StringList.h"
#include "platform/Streams.h"

namespace app {

void WriteTextFile(const std::string& fileName, std::string_view bytes) {
    pw::TFileStream file(fileName, pw::fmCreate);
    const auto size = static_cast<int64_t>(bytes.size());
    if (file.Write(bytes.data(), size) != size) throw pw::EWriteError();
}

}  // namespace app
