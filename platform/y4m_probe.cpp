#include "platform/y4m_probe.h"

#include <cstdlib>

namespace platform {

namespace {

struct Y4mHeader {
    int64_t width = 0, height = 0;
    int64_t rate_num = 0, rate_den = 0;
    std::string colour_space = "420jpeg"; // when the header names none
    size_t length = 0;                    // bytes up to and including its line end
};

std::optional<Y4mHeader> read_header(const std::string& head) {
    const std::string magic = "YUV4MPEG2";
    if (head.compare(0, magic.size(), magic) != 0) return std::nullopt;
    size_t end = head.find('\n');
    if (end == std::string::npos) return std::nullopt;
    Y4mHeader h;
    h.length = end + 1;
    size_t at = magic.size();
    while (at < end) {
        while (at < end && head[at] == ' ') ++at;
        size_t word_end = head.find(' ', at);
        if (word_end == std::string::npos || word_end > end) word_end = end;
        if (word_end == at) break;
        const std::string word = head.substr(at, word_end - at);
        const char* value = word.c_str() + 1;
        switch (word[0]) {
        case 'W': h.width = std::atoll(value); break;
        case 'H': h.height = std::atoll(value); break;
        case 'C': h.colour_space = value; break;
        case 'F': {
            char* colon = nullptr;
            h.rate_num = std::strtoll(value, &colon, 10);
            h.rate_den = colon && *colon == ':' ? std::strtoll(colon + 1, nullptr, 10) : 0;
            break;
        }
        default: break; // interlacing, aspect, comments
        }
        at = word_end;
    }
    if (h.width <= 0 || h.height <= 0) return std::nullopt;
    return h;
}

// The bytes of one picture: the luma plane and the chroma planes of the
// colour space, two bytes a sample beyond 8 bits ("420p10").
std::optional<int64_t> picture_bytes(const Y4mHeader& h) {
    const int64_t w = h.width, ht = h.height, luma = w * ht;
    const std::string& c = h.colour_space;
    int64_t samples;
    if (c.compare(0, 3, "420") == 0)
        samples = luma + 2 * ((w + 1) / 2) * ((ht + 1) / 2);
    else if (c.compare(0, 3, "422") == 0)
        samples = luma + 2 * ((w + 1) / 2) * ht;
    else if (c == "444alpha")
        samples = 4 * luma;
    else if (c.compare(0, 3, "444") == 0)
        samples = 3 * luma;
    else if (c.compare(0, 3, "411") == 0)
        samples = luma + 2 * ((w + 3) / 4) * ht;
    else if (c.compare(0, 4, "mono") == 0)
        samples = luma;
    else
        return std::nullopt;
    // "420p10", "444p12", "mono16": more than 8 bits ("420jpeg" and
    // "420paldv" are 8-bit names).
    size_t p = c.find('p');
    bool wide =
        (p != std::string::npos && p + 1 < c.size() && c[p + 1] >= '0' && c[p + 1] <= '9') ||
        c == "mono16";
    return samples * (wide ? 2 : 1);
}

} // namespace

std::optional<MediaLength> y4m_length(Os& os, const std::string& path) {
    std::optional<FileInfo> info = os.file_info(path);
    if (!info) return std::nullopt;
    std::optional<std::string> head = os.read_part(path, 0, 4096);
    std::optional<Y4mHeader> h = head ? read_header(*head) : std::nullopt;
    std::optional<int64_t> picture = h ? picture_bytes(*h) : std::nullopt;
    if (!picture) return std::nullopt;
    const int64_t size = info->size, start = static_cast<int64_t>(h->length);
    const std::string plain = "FRAME\n";
    int64_t frames = 0;
    if (head->compare(h->length, plain.size(), plain) == 0 &&
        (size - start) % (static_cast<int64_t>(plain.size()) + *picture) == 0) {
        frames = (size - start) / (static_cast<int64_t>(plain.size()) + *picture);
    } else {
        // Frame lines with parameters: each is walked; a cut-off last frame
        // does not count.
        for (int64_t at = start; at < size;) {
            std::optional<std::string> line = os.read_part(path, at, 256);
            size_t end = line ? line->find('\n') : std::string::npos;
            if (end == std::string::npos || line->compare(0, 5, "FRAME") != 0) break;
            at += static_cast<int64_t>(end) + 1 + *picture;
            if (at > size) break;
            ++frames;
        }
    }
    if (h->rate_num <= 0 || h->rate_den <= 0) return MediaLength{frames, 0};
    // The length in 100-ns units, as the other frameworks report it.
    long double seconds = static_cast<long double>(frames) * h->rate_den / h->rate_num;
    return media_length(frames, static_cast<int64_t>(seconds * 1e7L), 0);
}

} // namespace platform
