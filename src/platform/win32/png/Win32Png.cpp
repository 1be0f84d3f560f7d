// PNG files on Windows through the Windows imaging component, which every Windows
// since XP SP3 carries; the same contract as the libpng version used elsewhere.

#include <windows.h>

#include <wincodec.h>

#include <string>

#include "engine/files/QxLog.h"
#include "engine/screen/QxPng.h"

namespace {

constexpr int kMaxSide = 16384;

uint8_t Widen5(uint32_t v) {
    return static_cast<uint8_t>((v << 3) | (v >> 2));
}

// COM for the length of one call, on whatever thread calls.
class ComScope {
public:
    ComScope() : m_result(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(m_result)) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    // A thread already in another apartment can still use the factory.
    bool Ready() const { return SUCCEEDED(m_result) || m_result == RPC_E_CHANGED_MODE; }

private:
    HRESULT m_result;
};

template <typename T> class Com {
public:
    Com() = default;
    ~Com() {
        if (m_pointer != nullptr) {
            m_pointer->Release();
        }
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    T** Out() { return &m_pointer; }
    T* operator->() const { return m_pointer; }
    T* Get() const { return m_pointer; }

private:
    T* m_pointer = nullptr;
};

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(size_t(length - 1));
    return wide;
}

bool MakeFactory(Com<IWICImagingFactory>& factory) {
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(factory.Out())));
}

} // namespace

bool SavePng(const std::string& path, const uint16_t* pixels, int width, int height, int pitch) {
    if (pixels == nullptr || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        pitch < width * 2) {
        return false;
    }
    // Rows of blue, green, red: the imaging component's 24-bit order.
    const UINT stride = UINT(width) * 3;
    std::vector<uint8_t> bgr(size_t(stride) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint16_t*>(
            reinterpret_cast<const uint8_t*>(pixels) + ptrdiff_t(y) * pitch);
        uint8_t* out = bgr.data() + size_t(y) * stride;
        for (int x = 0; x < width; ++x, out += 3) {
            const uint32_t p = row[x];
            out[0] = Widen5(p & 31);
            out[1] = Widen5((p >> 5) & 31);
            out[2] = Widen5((p >> 10) & 31);
        }
    }
    ComScope com;
    Com<IWICImagingFactory> factory;
    Com<IWICStream> stream;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    Com<IPropertyBag2> options;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    const std::wstring widePath = Wide(path);
    bool ok = com.Ready() && !widePath.empty() && MakeFactory(factory) &&
              SUCCEEDED(factory->CreateStream(stream.Out())) &&
              SUCCEEDED(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE)) &&
              SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out())) &&
              SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
              SUCCEEDED(encoder->CreateNewFrame(frame.Out(), options.Out())) &&
              SUCCEEDED(frame->Initialize(options.Get())) &&
              SUCCEEDED(frame->SetSize(UINT(width), UINT(height))) &&
              SUCCEEDED(frame->SetPixelFormat(&format)) &&
              IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
              SUCCEEDED(frame->WritePixels(UINT(height), stride, UINT(bgr.size()), bgr.data())) &&
              SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    if (!ok) {
        LogPrintf("Unable to write PNG: %s", path.c_str());
    }
    return ok;
}

bool LoadPng(const std::string& path, std::vector<uint16_t>* pixels, int* width, int* height) {
    if (pixels == nullptr || width == nullptr || height == nullptr) {
        return false;
    }
    ComScope com;
    Com<IWICImagingFactory> factory;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> converter;
    const std::wstring widePath = Wide(path);
    GUID container{};
    if (!com.Ready() || widePath.empty() || !MakeFactory(factory) ||
        FAILED(factory->CreateDecoderFromFilename(widePath.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
        FAILED(decoder->GetContainerFormat(&container)) ||
        !IsEqualGUID(container, GUID_ContainerFormatPng) ||
        FAILED(decoder->GetFrame(0, frame.Out()))) {
        return false;
    }
    UINT w = 0, h = 0;
    if (FAILED(frame->GetSize(&w, &h)) || w == 0 || h == 0 || w > UINT(kMaxSide) ||
        h > UINT(kMaxSide)) {
        return false;
    }
    // Any PNG becomes 32-bit blue, green, red, alpha; see-through pixels are laid on
    // black, as the other platforms' reader does.
    const UINT stride = w * 4;
    std::vector<uint8_t> bgra(size_t(stride) * size_t(h));
    if (FAILED(factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->CopyPixels(nullptr, stride, UINT(bgra.size()), bgra.data()))) {
        return false;
    }
    pixels->assign(size_t(w) * size_t(h), 0);
    for (size_t i = 0; i < pixels->size(); ++i) {
        const uint8_t* p = bgra.data() + i * 4;
        const uint32_t a = p[3];
        const uint32_t r = p[2] * a / 255, g = p[1] * a / 255, b = p[0] * a / 255;
        (*pixels)[i] = static_cast<uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
    }
    *width = int(w);
    *height = int(h);
    return true;
}
