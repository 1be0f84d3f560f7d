#include "ContentBuild.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "engine/files/QxArchiveFolder.h"
#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxImageListFile.h"

namespace fs = std::filesystem;

namespace {

struct Step {
    int phase;
    std::string name;
    ContentStepFunction function;
};

std::vector<Step>& Steps() {
    static std::vector<Step> steps;
    return steps;
}

std::vector<uint8_t> WavBytes(const uint8_t* data, uint32_t bytes, uint32_t rate, uint16_t channels,
                              uint16_t bits) {
    std::vector<uint8_t> out;
    const uint16_t align = uint16_t(channels * bits / 8);
    const uint32_t padded = bytes + (bytes & 1);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    PutU32(out, 4 + 8 + 16 + 8 + padded);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutU32(out, 16);
    PutU16(out, 1);
    PutU16(out, channels);
    PutU32(out, rate);
    PutU32(out, rate * align);
    PutU16(out, align);
    PutU16(out, bits);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    PutU32(out, bytes);
    out.insert(out.end(), data, data + bytes);
    if (bytes & 1) {
        out.push_back(0);
    }
    return out;
}

// What the writer wrote: up to the write position, not the whole storage, whose
// tail past the data was never written and differs from run to run.
bool BufferBytes(QxBuffer& buffer, std::vector<uint8_t>& bytes) {
    const uint32_t size = buffer.Tell();
    bytes.resize(size);
    buffer.Seek(0, 0);
    return size == 0 || buffer.ReadBytes(size, bytes.data()) == size;
}

} // namespace

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

ContentStepRegistration::ContentStepRegistration(int phase, const char* name,
                                                 ContentStepFunction function) {
    Steps().push_back({phase, name, function});
}

fs::path ContentOut::PathOf(const std::string& name) const {
    return m_stage / fs::path(name);
}

bool ContentOut::WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    const fs::path path = PathOf(name);
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) {
        Fail("cannot write " + name);
        return false;
    }
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file) {
        Fail("short write of " + name);
        return false;
    }
    return true;
}

bool ContentOut::WriteText(const std::string& name, const std::string& text) {
    return WriteFile(name, std::vector<uint8_t>(text.begin(), text.end()));
}

bool ContentOut::WriteBitmap(const std::string& name, const QxImage& image) {
    QxBuffer buffer;
    std::vector<uint8_t> bytes;
    if (!QxBitmapFile::Write(buffer, image) || !BufferBytes(buffer, bytes)) {
        Fail("cannot encode bitmap " + name);
        return false;
    }
    return WriteFile(name, bytes);
}

bool ContentOut::WriteImageList(const std::string& name, const std::vector<QxImage>& frames) {
    QxBuffer buffer;
    std::vector<uint8_t> bytes;
    if (!QxImageListFile::Write(buffer, frames) || !BufferBytes(buffer, bytes)) {
        Fail("cannot encode image list " + name);
        return false;
    }
    return WriteFile(name, bytes);
}

bool ContentOut::WriteWav8(const std::string& name, const std::vector<uint8_t>& samples,
                           uint32_t sampleRate, uint16_t channels) {
    return WriteFile(name,
                     WavBytes(samples.data(), uint32_t(samples.size()), sampleRate, channels, 8));
}

bool ContentOut::WriteWav16(const std::string& name, const std::vector<int16_t>& samples,
                            uint32_t sampleRate, uint16_t channels) {
    std::vector<uint8_t> bytes;
    bytes.reserve(samples.size() * 2);
    for (int16_t s : samples) {
        PutU16(bytes, uint16_t(s));
    }
    return WriteFile(name,
                     WavBytes(bytes.data(), uint32_t(bytes.size()), sampleRate, channels, 16));
}

void ContentOut::Fail(const std::string& message) {
    m_errors.push_back(message);
}

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: contentbuild CONTENT_DIR STAGE_DIR ARCHIVE\n");
        return 2;
    }
    const fs::path sources = argv[1];
    const fs::path stage = argv[2];
    const std::string archive = argv[3];

    // A stale file from an earlier build must never reach the archive.
    std::error_code ec;
    fs::remove_all(stage, ec);
    fs::create_directories(stage, ec);
    if (ec) {
        std::fprintf(stderr, "contentbuild: cannot create %s\n", stage.string().c_str());
        return 1;
    }

    ContentOut out(sources, stage);
    auto steps = Steps();
    std::sort(steps.begin(), steps.end(), [](const Step& a, const Step& b) {
        return a.phase != b.phase ? a.phase < b.phase : a.name < b.name;
    });
    for (const Step& step : steps) {
        const size_t before = out.Errors().size();
        step.function(out);
        if (out.Errors().size() != before) {
            std::fprintf(stderr, "contentbuild: step %s failed\n", step.name.c_str());
        }
    }
    for (const std::string& error : out.Errors()) {
        std::fprintf(stderr, "contentbuild: %s\n", error.c_str());
    }
    if (out.Failed()) {
        return 1;
    }

    fs::remove(archive, ec);
    std::string packError;
    if (!PackArchiveFolder(stage.string(), archive, packError)) {
        std::fprintf(stderr, "contentbuild: %s\n", packError.c_str());
        return 1;
    }
    std::printf("contentbuild: %zu steps, archive %s\n", steps.size(), archive.c_str());
    return 0;
}
