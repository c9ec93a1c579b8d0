#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace quorvel {

// A file or folder name as the file system spells it: its own bytes (UTF-8 on a usual desktop), not
// Windows-1252 text. A type of its own so that a path and model text are never joined or shown by
// mistake: it is made explicitly, its bytes are reached only through Bytes(), and a window shows it
// only through PathToQString.
class Path {
public:
    Path() = default;
    explicit Path(std::string bytes) : bytes_(std::move(bytes)) { }
    explicit Path(const char* bytes) : bytes_(bytes) { }
    static Path FromBytes(std::string_view bytes) { return Path(std::string(bytes)); }

    const std::string& Bytes() const { return bytes_; }
    const char* c_str() const { return bytes_.c_str(); }
    bool empty() const { return bytes_.empty(); }

    friend bool operator==(const Path&, const Path&) = default;
    friend std::strong_ordering operator<=>(const Path&, const Path&) = default;

private:
    std::string bytes_;
};

}  // namespace quorvel

template <> struct std::hash<quorvel::Path> {
    size_t operator()(const quorvel::Path& path) const noexcept { return std::hash<std::string>()(path.Bytes()); }
};
