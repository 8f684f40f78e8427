#include "tools/mkdemo/DemoContent.h"

#include "tools/hacpack/HacWriter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace hgl::demo
{
void DemoContent::AddData(const std::u16string &path, std::vector<uint8_t> bytes)
{
    data.push_back({path, std::move(bytes)});
}

void DemoContent::AddLocal(const std::u16string &path, std::vector<uint8_t> bytes)
{
    local.push_back({path, std::move(bytes)});
}

std::vector<uint8_t> TextFile(const std::u16string &text)
{
    std::vector<uint8_t> bytes{0xFF, 0xFE};
    for (char16_t c : text)
    {
        bytes.push_back(uint8_t(c & 0xFF));
        bytes.push_back(uint8_t(c >> 8));
    }
    return bytes;
}

bool MakeDemoContent(DemoContent &content, std::string *error)
{
    content = DemoContent();
    AddScripts(content);
    AddMedia(content);
    return AddPictures(content, error);
}

bool WriteTree(const std::vector<DemoFile> &files, const std::string &folder, std::string *error)
{
    for (const DemoFile &f : files)
    {
        std::string rel = hacpack::Utf16ToUtf8(f.path);
        std::replace(rel.begin(), rel.end(), '\\', '/');
        const fs::path target = fs::path(folder) / rel;
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(f.data.data()), std::streamsize(f.data.size()));
        if (!out.flush())
        {
            if (error) *error = "cannot write " + target.string();
            return false;
        }
    }
    return true;
}

bool PackArchive(const std::vector<DemoFile> &files, const std::string &archive, std::string *error)
{
    hacpack::HacWriter writer;
    for (const DemoFile &f : files)
        writer.root.Add(f.path, f.data);
    return writer.WriteFile(archive, error);
}
} // namespace hgl::demo
