#include "HacWriter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace hgl::hacpack
{
std::u16string AsciiLower(std::u16string s)
{
    for (auto &c : s)
        if (c >= u'A' && c <= u'Z') c = char16_t(c + 32);
    return s;
}

std::u16string Utf8ToUtf16(const std::string &s)
{
    std::u16string r;
    size_t i = 0;
    while (i < s.size())
    {
        const unsigned char b = s[i];
        uint32_t cp = 0xFFFD;
        size_t n = 1;
        if (b < 0x80)
            cp = b;
        else if ((b & 0xE0) == 0xC0 && i + 1 < s.size())
            cp = ((b & 0x1F) << 6) | (s[i + 1] & 0x3F), n = 2;
        else if ((b & 0xF0) == 0xE0 && i + 2 < s.size())
            cp = ((b & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F), n = 3;
        else if ((b & 0xF8) == 0xF0 && i + 3 < s.size())
            cp =
                ((b & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) | (s[i + 3] & 0x3F),
            n = 4;
        i += n;
        if (cp >= 0x10000)
        {
            cp -= 0x10000;
            r.push_back(char16_t(0xD800 + (cp >> 10)));
            r.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
        }
        else
            r.push_back(char16_t(cp));
    }
    return r;
}

std::string Utf16ToUtf8(const std::u16string &s)
{
    std::string r;
    for (size_t i = 0; i < s.size(); ++i)
    {
        uint32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[++i] - 0xDC00);
        if (cp < 0x80)
            r += char(cp);
        else if (cp < 0x800)
            r += char(0xC0 | (cp >> 6)), r += char(0x80 | (cp & 0x3F));
        else if (cp < 0x10000)
            r += char(0xE0 | (cp >> 12)), r += char(0x80 | ((cp >> 6) & 0x3F)), r += char(0x80 | (cp & 0x3F));
        else
            r += char(0xF0 | (cp >> 18)), r += char(0x80 | ((cp >> 12) & 0x3F)),
                r += char(0x80 | ((cp >> 6) & 0x3F)), r += char(0x80 | (cp & 0x3F));
    }
    return r;
}

namespace
{
std::vector<std::u16string> SplitPath(const std::u16string &path)
{
    std::vector<std::u16string> parts;
    std::u16string cur;
    for (char16_t c : path)
    {
        if (c == u'\\' || c == u'/')
        {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        }
        else
            cur.push_back(c);
    }
    if (!cur.empty()) parts.push_back(cur);
    return parts;
}

HacWriterFolder &SubFolder(HacWriterFolder &f, const std::u16string &name)
{
    const std::u16string key = AsciiLower(name);
    for (auto &sub : f.folders)
        if (AsciiLower(sub.name) == key) return sub;
    f.folders.push_back(HacWriterFolder{name, {}, {}});
    return f.folders.back();
}

void PutU32(std::vector<uint8_t> &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

void PutText(std::vector<uint8_t> &out, const std::u16string &s)
{
    PutU32(out, uint32_t(s.size()));
    for (char16_t c : s)
    {
        out.push_back(uint8_t(c & 0xFF));
        out.push_back(uint8_t(c >> 8));
    }
}

void Fail(std::string *error, const std::string &msg)
{
    if (error) *error = msg;
}

struct Placed
{
    const HacWriterFile *file;
    std::u16string method;
    uint32_t size, storedSize, offset;
};

// The order the reader's binary search expects: descending by lower-cased name,
// a name that is a prefix of another after it.
template <class T> std::vector<const T *> SortedDescending(const std::vector<T> &items)
{
    std::vector<const T *> v;
    for (auto &i : items)
        v.push_back(&i);
    std::stable_sort(v.begin(), v.end(),
                     [](const T *a, const T *b) { return AsciiLower(a->name) > AsciiLower(b->name); });
    return v;
}

template <class T> bool CheckUnique(const std::vector<const T *> &v, std::string *error)
{
    for (size_t i = 1; i < v.size(); ++i)
        if (AsciiLower(v[i - 1]->name) == AsciiLower(v[i]->name))
        {
            Fail(error, "duplicate name in one folder: " + Utf16ToUtf8(v[i]->name));
            return false;
        }
    for (auto *i : v)
        if (i->name.empty())
        {
            Fail(error, "empty name");
            return false;
        }
    return true;
}

class Builder
{
  public:
    Builder(const HacCompressor &c, std::vector<uint8_t> &o, std::string *e) : compressor(c), out(o), error(e)
    {
    }

    bool Bodies(const HacWriterFolder &f)
    {
        for (auto *sub : SortedDescending(f.folders))
            if (!Bodies(*sub)) return false;
        for (auto *file : SortedDescending(f.files))
        {
            if (file->method.size() > 31)
            {
                Fail(error, "method name longer than 31 units: " + Utf16ToUtf8(file->method));
                return false;
            }
            if (file->data.size() > 0x7FFFFFFFu)
            {
                Fail(error, "file too large: " + Utf16ToUtf8(file->name));
                return false;
            }
            Placed p{file, file->method, uint32_t(file->data.size()), 0, 0};
            const std::vector<uint8_t> *body = &file->data;
            std::vector<uint8_t> packed;
            if (!file->method.empty())
            {
                if (file->precompressed)
                    body = &file->stored;
                else if (compressor && compressor(file->method, file->data, packed) &&
                         packed.size() < file->data.size())
                    body = &packed;
                else if (compressor)
                    p.method.clear(); // did not shrink or failed: keep it stored
            }
            if (out.size() + body->size() > 0xFFFFFFF0u)
            {
                Fail(error, "archive larger than 4 GiB");
                return false;
            }
            p.offset = uint32_t(out.size());
            p.storedSize = uint32_t(body->size());
            out.insert(out.end(), body->begin(), body->end());
            placed.push_back(p);
        }
        return true;
    }

    bool Directory(const HacWriterFolder &f)
    {
        auto subs = SortedDescending(f.folders);
        auto files = SortedDescending(f.files);
        if (!CheckUnique(subs, error) || !CheckUnique(files, error)) return false;
        PutText(out, f.name);
        PutU32(out, uint32_t(subs.size()));
        for (auto *sub : subs)
            if (!Directory(*sub)) return false;
        PutU32(out, uint32_t(files.size()));
        for (auto *file : files)
        {
            const Placed *p = nullptr;
            for (auto &q : placed)
                if (q.file == file)
                {
                    p = &q;
                    break;
                }
            PutText(out, file->name);
            PutText(out, p->method);
            PutU32(out, p->size);
            PutU32(out, p->storedSize);
            out.insert(out.end(), 16, 0);
            PutU32(out, p->offset);
        }
        return true;
    }

    std::vector<Placed> placed;

  private:
    const HacCompressor &compressor;
    std::vector<uint8_t> &out;
    std::string *error;
};
} // namespace

HacWriterFolder &HacWriterFolder::Folder(const std::u16string &path)
{
    HacWriterFolder *f = this;
    for (auto &part : SplitPath(path))
        f = &SubFolder(*f, part);
    return *f;
}

HacWriterFile &HacWriterFolder::Add(const std::u16string &path, std::vector<uint8_t> data,
                                    const std::u16string &method)
{
    auto parts = SplitPath(path);
    HacWriterFolder *f = this;
    for (size_t i = 0; i + 1 < parts.size(); ++i)
        f = &SubFolder(*f, parts[i]);
    HacWriterFile file;
    file.name = parts.empty() ? path : parts.back();
    file.data = std::move(data);
    file.method = method;
    f->files.push_back(std::move(file));
    return f->files.back();
}

HacWriterFile &HacWriterFolder::Add(const std::u16string &path, const std::string &text,
                                    const std::u16string &method)
{
    return Add(path, std::vector<uint8_t>(text.begin(), text.end()), method);
}

bool HacWriter::Build(std::vector<uint8_t> &out, std::string *error) const
{
    static const uint8_t magic[8] = {0x48, 0x41, 0x43, 0x2D, 0x33, 0x1A, 0, 0};
    out.clear();
    for (uint8_t b : magic)
        out.push_back(b);
    Builder b(compressor, out, error);
    if (!b.Bodies(root)) return false;
    const uint64_t dir = out.size();
    if (!b.Directory(root)) return false;
    if (out.size() + 4 > 0xFFFFFFFFu)
    {
        Fail(error, "archive larger than 4 GiB");
        return false;
    }
    PutU32(out, uint32_t(dir));
    return true;
}

bool HacWriter::WriteFile(const std::string &path, std::string *error) const
{
    std::vector<uint8_t> bytes;
    if (!Build(bytes, error)) return false;
    const std::string tmp = path + ".tmp";
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        if (!f)
        {
            Fail(error, "cannot create " + tmp);
            return false;
        }
        f.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
        f.flush();
        if (!f)
        {
            Fail(error, "cannot write " + tmp);
            std::remove(tmp.c_str());
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    if (ec)
    {
        Fail(error, "cannot rename onto " + path + ": " + ec.message());
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

bool HacWriter::AddDiskFolder(const std::string &folder, const std::u16string &method, std::string *error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
    {
        Fail(error, "not a folder: " + folder);
        return false;
    }
    std::vector<fs::path> files, folders;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec))
            files.push_back(it->path());
        else if (it->is_directory(ec))
            folders.push_back(it->path());
    if (ec)
    {
        Fail(error, "cannot walk " + folder + ": " + ec.message());
        return false;
    }
    // Empty folders are kept too, so the archive lists what the folder mapping would.
    std::sort(folders.begin(), folders.end());
    for (auto &p : folders)
        root.Folder(Utf8ToUtf16(fs::relative(p, folder).generic_string()));
    std::sort(files.begin(), files.end());
    for (auto &p : files)
    {
        std::ifstream in(p, std::ios::binary);
        if (!in)
        {
            Fail(error, "cannot read " + p.string());
            return false;
        }
        std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        root.Add(Utf8ToUtf16(fs::relative(p, folder).generic_string()), std::move(data), method);
    }
    return true;
}
} // namespace hgl::hacpack
