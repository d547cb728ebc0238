// Media probing through DirectShow: the file is rendered into a filter graph,
// its length read from IMediaSeeking and its frame duration from IBasicVideo.
#include "platform/media_probe.h"

#include <windows.h>

#include <dshow.h>

#include <cmath>

namespace platform {
namespace {

template <typename T> void release(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

// COM for the duration of one probe.
struct ComScope {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComScope() {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
};

class DirectShowProbe final : public MediaProbe {
  public:
    std::optional<MediaLength> media_probe(const std::string& path) override {
        ComScope com;
        int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
        if (n <= 0) return std::nullopt;
        std::wstring wide(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), n);

        IGraphBuilder* graph = nullptr;
        IMediaSeeking* seeking = nullptr;
        IBasicVideo* video = nullptr;
        std::optional<MediaLength> result;
        if (SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IGraphBuilder, reinterpret_cast<void**>(&graph))) &&
            SUCCEEDED(graph->RenderFile(wide.c_str(), nullptr))) {
            LONGLONG duration = 0, frames = -1;
            REFTIME frame_seconds = 0;
            if (SUCCEEDED(
                    graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking)))) {
                if (seeking->IsFormatSupported(&TIME_FORMAT_FRAME) == S_OK &&
                    SUCCEEDED(seeking->SetTimeFormat(&TIME_FORMAT_FRAME)) &&
                    FAILED(seeking->GetDuration(&frames)))
                    frames = -1;
                if (FAILED(seeking->SetTimeFormat(&TIME_FORMAT_MEDIA_TIME)) ||
                    FAILED(seeking->GetDuration(&duration)))
                    duration = 0;
            }
            if (SUCCEEDED(
                    graph->QueryInterface(IID_IBasicVideo, reinterpret_cast<void**>(&video))) &&
                FAILED(video->get_AvgTimePerFrame(&frame_seconds)))
                frame_seconds = 0;
            result = media_length(frames, duration, std::llround(frame_seconds * 1e7));
        }
        release(video);
        release(seeking);
        release(graph);
        return result;
    }
};

} // namespace

MediaProbe& native_media_probe() {
    static DirectShowProbe probe;
    return probe;
}

} // namespace platform
