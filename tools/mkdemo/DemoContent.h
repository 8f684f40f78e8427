#pragma once
// The demo game: a short story and every file the game loads by name, made in
// memory, then written as two folder trees ("Data" and "Local") and packed into
// the archives "Data.hac" and "Local.hac".
#include <cstdint>
#include <string>
#include <vector>

namespace hgl::demo
{
struct DemoFile
{
    std::u16string path; // inside its archive, '\' between levels
    std::vector<uint8_t> data;
};

struct DemoContent
{
    std::vector<DemoFile> data;  // pictures, sounds, movies
    std::vector<DemoFile> local; // scripts and lists

    void AddData(const std::u16string &path, std::vector<uint8_t> bytes);
    void AddLocal(const std::u16string &path, std::vector<uint8_t> bytes);
};

// UTF-16LE with a byte-order mark, the form of every text file of the game.
std::vector<uint8_t> TextFile(const std::u16string &text);

// The story, the data scripts and the lists of "Local.hac".
void AddScripts(DemoContent &content);
// Music, system sounds, voices, the script's sound effect and the movies of "Data.hac".
void AddMedia(DemoContent &content);

// Every picture and texture, encoded with the "Zip" method (the compression
// plug-ins must be reachable); false with a message when one cannot be encoded.
bool AddPictures(DemoContent &content, std::string *error);

// The whole demo; false with a message when part of it cannot be made.
bool MakeDemoContent(DemoContent &content, std::string *error);

// Writes the files below each folder (made when missing); false with a message.
bool WriteTree(const std::vector<DemoFile> &files, const std::string &folder, std::string *error);
// Packs the files into a HAC-3 archive file.
bool PackArchive(const std::vector<DemoFile> &files, const std::string &archive, std::string *error);
} // namespace hgl::demo
