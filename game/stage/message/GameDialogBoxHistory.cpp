// What the message window remembers: the digests of every line of the current
// script and of those read (kept per script in "Save\<script>.history"), the list
// of lines shown since the script began, and the window's nodes of a save.
//
// ".history", little-endian: an int32, the number of lines of the script when the
// file was written (not used when reading), then the digests read, 16 bytes each,
// in ascending order.
#include "game/stage/message/GameDialogBox.h"

#include "core/Log.h"
#include "game/core/SaveFolder.h"
#include "io/FileHelpers.h"
#include "io/FileStream.h"
#include "io/MD5.h"
#include "io/MemStream.h"
#include "io/TDF.h"
#include "platform/File.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace avg
{
namespace
{
constexpr int kDigestBytes = sizeof(MsgIndex);
constexpr int kCountBytes = 4;
// A history holds the lines of one script; more than this is not a history file.
constexpr hgl::int64 kMaxHistoryDigests = 1 << 20;

const hgl::u16char kHistoryExtension[] = u".history";
const hgl::u16char kShoutNode[] = u"喊话";
const hgl::u16char kNovelNode[] = u"小说对话";
const hgl::u16char kCentredNode[] = u"中间对话";
const hgl::u16char kDialogNode[] = u"对话框对话";
const hgl::u16char kListNode[] = u"已读对话";
const hgl::u16char kFontNode[] = u"字体颜色";

void PutLE32(hgl::uint8 *out, hgl::uint32 v)
{
    for (int i = 0; i < 4; ++i)
        out[i] = hgl::uint8(v >> (8 * i));
}

hgl::MemStream *Rewound(hgl::TDFNode *node)
{
    hgl::MemStream *s = node->GetStream();
    s->SetPosition(0);
    return s;
}

// A one-byte flag node into value; false (logged, value kept) when its byte is missing.
bool ReadFlag(hgl::TDFNode *node, bool &value)
{
    hgl::uint8 byte = 0;
    if (!Rewound(node)->ReadValue(byte))
    {
        hgl::PutError(u"存档的<%s>已损坏", node->GetName().c_str());
        return false;
    }
    value = byte != 0;
    return true;
}

void WriteFlag(hgl::TDFNode *root, const hgl::u16char *name, bool value)
{
    const hgl::uint8 byte = value ? 1 : 0;
    root->AddChild(name)->GetStream()->WriteValue(byte);
}
} // namespace

// ---------------------------------------------------------------- digests and the two indexes

MsgIndex GameDialogBox::Digest(const hgl::String &line)
{
    // The units as little-endian bytes, whatever the machine's order.
    hgl::MD5Context context;
    hgl::MD5Init(&context);
    hgl::uint8 block[256];
    const int length = line.GetLength();
    const hgl::u16char *units = line.c_str();
    for (int at = 0; at < length;)
    {
        int bytes = 0;
        for (; at < length && bytes < int(sizeof(block)); ++at)
        {
            block[bytes++] = hgl::uint8(units[at]);
            block[bytes++] = hgl::uint8(units[at] >> 8);
        }
        hgl::MD5Update(&context, block, unsigned(bytes));
    }
    MsgIndex digest;
    hgl::MD5Final(digest.digest, &context);
    return digest;
}

void GameDialogBox::MarkRead()
{
    if (script_index.Find(current_digest) < 0)
    {
        hgl::PutInfo(u"没有找到下面这句话： %s", raw_text.c_str() ? raw_text.c_str() : u"");
        return;
    }
    read_index.Add(current_digest);
}

bool GameDialogBox::IsRead() const
{
    return read_index.Find(current_digest) >= 0;
}

// ---------------------------------------------------------------- the ".history" file

void GameDialogBox::CloseHistory()
{
    SaveHistory();
    collect_mode = true;
}

void GameDialogBox::SaveHistory()
{
    if (!history_path.IsEmpty())
    {
        std::vector<hgl::uint8> bytes(size_t(kCountBytes + kDigestBytes * read_index.Count));
        PutLE32(bytes.data(), hgl::uint32(script_index.Count));
        for (int i = 0; i < read_index.Count; ++i)
            std::memcpy(bytes.data() + kCountBytes + kDigestBytes * i, read_index[i].digest, kDigestBytes);
        // A failed write must not carry this script's lines into the next one's
        // file, so the indexes go whatever happened.
        if (!hgl::platform::FileWriteWhole(history_path.c_str(), bytes.data(), hgl::int64(bytes.size())))
            hgl::PutError(u"Create History File <%s> error!", history_path.c_str());
    }
    // Written once: a second save of the same script would find the indexes empty.
    history_path.Clear();
    mode = bmNone;
    script_index.Clear();
    read_index.Clear();
    messages.Clear();
}

void GameDialogBox::LoadHistory(const hgl::String &script)
{
    collect_mode = false;
    history_path = SavePath(script + kHistoryExtension);
    if (!hgl::FileExist(history_path.c_str())) return;
    hgl::FileStream file;
    if (!file.Open(history_path.c_str(), hgl::fomOpenRead))
    {
        hgl::PutError(u"Open History File <%s> error!", history_path.c_str());
        return;
    }
    const hgl::int64 size = file.GetSize();
    hgl::int64 count = size > kCountBytes ? (size - kCountBytes) / kDigestBytes : 0;
    if (count > kMaxHistoryDigests)
    {
        hgl::PutError(u"History File <%s> is too large, only its first %d entries are read",
                      history_path.c_str(), int(kMaxHistoryDigests));
        count = kMaxHistoryDigests;
    }
    if (count == 0) return;
    std::vector<hgl::uint8> bytes(size_t(kCountBytes + count * kDigestBytes));
    file.SetPosition(kCountBytes);
    const int read = file.Read(bytes.data() + kCountBytes, int(count * kDigestBytes));
    ReadHistory(bytes.data(), kCountBytes + std::max(0, read), read_index);
}

int GameDialogBox::ReadHistory(const void *data, hgl::int64 size, hgl::OnlyList<MsgIndex> &index)
{
    const auto *bytes = static_cast<const hgl::uint8 *>(data);
    if (!bytes || size <= kCountBytes) return 0;
    const hgl::int64 count = std::min((size - kCountBytes) / kDigestBytes, kMaxHistoryDigests);
    // Added in ascending order, each lands at the end of the index.
    std::vector<MsgIndex> digests(static_cast<size_t>(count));
    for (hgl::int64 i = 0; i < count; ++i)
        std::memcpy(digests[size_t(i)].digest, bytes + kCountBytes + i * kDigestBytes, kDigestBytes);
    std::sort(digests.begin(), digests.end(),
              [](const MsgIndex &a, const MsgIndex &b)
              { return std::memcmp(a.digest, b.digest, kDigestBytes) < 0; });
    for (const MsgIndex &digest : digests)
        index.Add(digest);
    return int(count);
}

// ---------------------------------------------------------------- the save nodes

bool GameDialogBox::SaveState(hgl::TDFNode *root)
{
    if (!root) return false;
    WriteFlag(root, kShoutNode, shout);
    hgl::TDFNode *line = root->AddChild(novel ? kNovelNode : centred ? kCentredNode : kDialogNode);
    const bool has_line = !raw_text.IsEmpty() && (shown || focus);
    hgl::MemStream *s = line->GetStream();
    s->WriteValue(hgl::uint8(has_line ? 1 : 0));
    if (has_line)
    {
        s->WriteString(speaker_key);
        s->WriteString(raw_text);
    }
    if (messages.GetCount() > 0)
    {
        hgl::MemStream *list = root->AddChild(kListNode)->GetStream();
        list->WriteValue(hgl::uint32(messages.GetCount()));
        for (int i = 0; i < messages.GetCount(); ++i)
        {
            list->WriteString(messages[i]->voice);
            list->WriteString(messages[i]->text);
        }
    }
    WriteFlag(root, kFontNode, dark_text);
    return true;
}

void GameDialogBox::ForgetLine()
{
    speaker.Clear();
    speaker_key.Clear();
    text.Clear();
    page_text.Clear();
    raw_text.Clear();
    join = false;
    novel_rows = 0;
}

bool GameDialogBox::LoadState(hgl::TDFNode *root)
{
    if (!root) return false;
    ForgetLine();
    if (hgl::TDFNode *node = root->FindChild(kShoutNode)) ReadFlag(node, shout);

    // The line on screen, shown again as a new one of its kind.
    enum LineKind
    {
        lkNovel,
        lkDialog,
        lkCentred,
    };
    static const hgl::u16char *const kLineNodes[] = {kNovelNode, kDialogNode, kCentredNode};
    bool ok = true;
    hgl::TDFNode *node = nullptr;
    int kind = lkNovel;
    for (; kind <= lkCentred && !node; ++kind)
        node = root->FindChild(kLineNodes[kind]);
    --kind;
    if (node)
    {
        hgl::MemStream *s = Rewound(node);
        hgl::uint8 flag = 0;
        hgl::String key, line;
        if (!s->ReadValue(flag))
            ok = false;
        else
        {
            shown = flag != 0;
            if (flag == 1 && (s->ReadString(key) < 0 || s->ReadString(line) < 0)) ok = false;
        }
        if (!ok)
            hgl::PutError(u"存档的<%s>已损坏", node->GetName().c_str());
        else if (flag == 1)
        {
            if (kind == lkNovel)
                MESFunc(line.c_str());
            else if (kind == lkDialog)
                ShowSpeech(key, line, false);
            else
                MESCFunc(line.c_str());
        }
    }

    // The list replaces the one the line above began; a damaged end keeps what came before it.
    if (hgl::TDFNode *list = root->FindChild(kListNode))
    {
        messages.Clear();
        hgl::MemStream *s = Rewound(list);
        hgl::uint32 count = 0;
        if (!s->ReadValue(count)) hgl::PutError(u"存档的<%s>已损坏", kListNode);
        for (hgl::uint32 i = 0; i < count; ++i)
        {
            auto record = std::make_unique<KQ7Message>();
            if (s->ReadString(record->voice) < 0 || s->ReadString(record->text) < 0)
            {
                hgl::PutError(u"存档的<%s>只读到%d条", kListNode, int(i));
                break;
            }
            messages.Add(record.release());
        }
    }

    if (hgl::TDFNode *font = root->FindChild(kFontNode)) ReadFlag(font, dark_text);
    return ok;
}
} // namespace avg
