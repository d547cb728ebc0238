// Media probing through Media Foundation: the source resolver opens the file
// as a media source; its presentation descriptor gives the length
// (MF_PD_DURATION, 100-ns units) and the video stream's media type its frame
// rate (MF_MT_FRAME_RATE). Windows 7 and later have it where DirectShow has
// no filter for a file.
#include "platform/media_probe_mf.h"

#include <windows.h>

#include <mfapi.h>
#include <mfidl.h>

namespace platform {

namespace {

template <typename T> void release(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

// The frame rate of the first video stream, as numerator and denominator.
bool video_rate(IMFPresentationDescriptor* pd, UINT32& num, UINT32& den) {
    DWORD streams = 0;
    if (FAILED(pd->GetStreamDescriptorCount(&streams))) return false;
    for (DWORD i = 0; i < streams; ++i) {
        BOOL selected = FALSE;
        IMFStreamDescriptor* sd = nullptr;
        IMFMediaTypeHandler* handler = nullptr;
        IMFMediaType* type = nullptr;
        GUID major = {};
        bool found = SUCCEEDED(pd->GetStreamDescriptorByIndex(i, &selected, &sd)) &&
                     SUCCEEDED(sd->GetMediaTypeHandler(&handler)) &&
                     SUCCEEDED(handler->GetMajorType(&major)) && major == MFMediaType_Video &&
                     SUCCEEDED(handler->GetCurrentMediaType(&type)) &&
                     SUCCEEDED(MFGetAttributeRatio(type, MF_MT_FRAME_RATE, &num, &den)) &&
                     num > 0 && den > 0;
        release(type);
        release(handler);
        release(sd);
        if (found) return true;
    }
    return false;
}

class MediaFoundationProbe final : public MediaProbe {
  public:
    std::optional<MediaLength> media_probe(const std::string& path) override {
        int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
        if (n <= 0) return std::nullopt;
        std::wstring wide(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), n);
        HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(MFStartup(MF_VERSION, MFSTARTUP_LITE))) {
            if (SUCCEEDED(com)) CoUninitialize();
            return std::nullopt;
        }
        IMFSourceResolver* resolver = nullptr;
        IUnknown* object = nullptr;
        IMFMediaSource* source = nullptr;
        IMFPresentationDescriptor* pd = nullptr;
        MF_OBJECT_TYPE kind = MF_OBJECT_INVALID;
        std::optional<MediaLength> result;
        if (SUCCEEDED(MFCreateSourceResolver(&resolver)) &&
            SUCCEEDED(resolver->CreateObjectFromURL(wide.c_str(),
                                                    MF_RESOLUTION_MEDIASOURCE | MF_RESOLUTION_READ,
                                                    nullptr, &kind, &object)) &&
            SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&source))) &&
            SUCCEEDED(source->CreatePresentationDescriptor(&pd))) {
            UINT64 duration = 0;
            UINT32 num = 0, den = 0;
            if (SUCCEEDED(pd->GetUINT64(MF_PD_DURATION, &duration)) && video_rate(pd, num, den))
                result = media_length(-1, static_cast<int64_t>(duration),
                                      static_cast<int64_t>(10000000ULL * den / num));
        }
        release(pd);
        if (source) source->Shutdown();
        release(source);
        release(object);
        release(resolver);
        MFShutdown();
        if (SUCCEEDED(com)) CoUninitialize();
        return result;
    }
};

} // namespace

MediaProbe& media_foundation_probe() {
    static MediaFoundationProbe probe;
    return probe;
}

} // namespace platform
