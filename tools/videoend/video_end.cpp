#include "tools/videoend/video_end.h"

#include <cstring>
#include <fstream>

namespace videoend {
namespace {

// An EBML variable-length number at `at`: its value (the length marker kept
// for IDs, dropped for sizes) and its length; nothing past the bytes.
struct Vint {
    uint64_t value = 0;
    size_t length = 0;
    bool unknown = false; // a size of all ones: "until the parent ends"
};

std::optional<Vint> vint(const std::string& b, size_t at, bool keep_marker) {
    if (at >= b.size()) return std::nullopt;
    const auto first = static_cast<unsigned char>(b[at]);
    size_t length = 1;
    while (length <= 8 && !(first & (0x80 >> (length - 1)))) ++length;
    if (length > 8 || at + length > b.size()) return std::nullopt;
    Vint v;
    v.length = length;
    v.value = keep_marker ? first : first & (0xFF >> length);
    bool ones = (first & (0xFF >> length)) == (0xFF >> length);
    for (size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(b[at + i]);
        v.value = v.value << 8 | c;
        ones = ones && c == 0xFF;
    }
    v.unknown = !keep_marker && ones;
    return v;
}

double big_endian_float(const std::string& b, size_t at, size_t size) {
    uint64_t bits = 0;
    for (size_t i = 0; i < size; ++i) bits = bits << 8 | static_cast<unsigned char>(b[at + i]);
    if (size == 4) {
        uint32_t narrow = static_cast<uint32_t>(bits);
        float f;
        std::memcpy(&f, &narrow, sizeof f);
        return f;
    }
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

constexpr uint64_t ebml_id = 0x1A45DFA3, segment_id = 0x18538067, info_id = 0x1549A966,
                   duration_id = 0x4489, cluster_id = 0x1F43B675;

// Matroska: the Duration in the Segment's SegmentInfo, which comes before
// the first Cluster.
VideoEnd matroska_end(const std::string& head) {
    size_t at = 0;
    bool in_segment = false;
    size_t info_end = 0;
    while (at < head.size()) {
        std::optional<Vint> id = vint(head, at, true);
        if (!id) break;
        std::optional<Vint> size = vint(head, at + id->length, false);
        if (!size) break;
        const size_t data = at + id->length + size->length;
        if (id->value == segment_id && !in_segment) {
            in_segment = true, at = data; // its children follow
            continue;
        }
        if (id->value == info_id && in_segment && !size->unknown) {
            info_end = data + size->value, at = data;
            continue;
        }
        if (id->value == duration_id && at < info_end && (size->value == 4 || size->value == 8)) {
            if (data + size->value > head.size()) break;
            return big_endian_float(head, data, size->value) > 0 ? VideoEnd::finished
                                                                 : VideoEnd::cut_short;
        }
        if (id->value == cluster_id || size->unknown) break; // no Duration before the frames
        if (at == 0 && id->value != ebml_id) break;
        at = data + size->value;
    }
    // A Segment whose information states no duration: the writer did not
    // close it, or does not keep one (then nothing can be told).
    return info_end > 0 ? VideoEnd::cut_short : VideoEnd::cannot_tell;
}

// MP4: top-level boxes from the start to the file's end, one of them "moov".
VideoEnd mp4_end(int64_t file_size, const ReadPart& read) {
    int64_t at = 0;
    bool index = false;
    for (int boxes = 0; at < file_size && boxes < 100000; ++boxes) {
        std::optional<std::string> head = read(at, 16);
        if (!head || head->size() < 8) return VideoEnd::cut_short;
        uint64_t size = 0;
        for (int i = 0; i < 4; ++i) size = size << 8 | static_cast<unsigned char>((*head)[i]);
        const std::string type = head->substr(4, 4);
        if (size == 1) {
            if (head->size() < 16) return VideoEnd::cut_short;
            size = 0;
            for (int i = 8; i < 16; ++i) size = size << 8 | static_cast<unsigned char>((*head)[i]);
        } else if (size == 0) {
            size = static_cast<uint64_t>(file_size - at); // to the end of the file
        }
        if (size < 8 || size > static_cast<uint64_t>(file_size - at)) return VideoEnd::cut_short;
        index = index || type == "moov";
        at += static_cast<int64_t>(size);
    }
    return index && at == file_size ? VideoEnd::finished : VideoEnd::cut_short;
}

} // namespace

VideoEnd video_end(int64_t file_size, const ReadPart& read) {
    std::optional<std::string> head = read(0, 64 * 1024);
    if (!head || head->size() < 8) return VideoEnd::cannot_tell;
    if (head->compare(0, 4, "\x1A\x45\xDF\xA3") == 0) return matroska_end(*head);
    if (head->compare(4, 4, "ftyp") == 0) return mp4_end(file_size, read);
    return VideoEnd::cannot_tell;
}

ReadPart file_part_reader(const std::string& path) {
    return [path](int64_t offset, size_t size) -> std::optional<std::string> {
        std::ifstream in(path, std::ios::binary);
        if (!in || !in.seekg(offset)) return std::nullopt;
        std::string bytes(size, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(size));
        bytes.resize(static_cast<size_t>(in.gcount()));
        return bytes;
    };
}

} // namespace videoend
