#include "bench/corpus.h"

#include "core/files/file_io.h"
#include "core/schema/schema.h"

#include <filesystem>
#include <random>
#include <stdexcept>

namespace dravik::bench {

namespace {

struct Key {
    int section;
    std::string name;  // as the schema writes it
    int count;
};

std::vector<Key> MakeKeys(int keys, int sectionOneColumns)
{
    std::vector<Key> result;
    int firstSectionColumns = 0;
    for (int k = 0; k < keys; ++k) {
        const int section = k % 10 + 1;
        const int count = k % 4 + 1;
        // Two thirds of the names are a key word with its blank, a third a
        // key word and a second word, as the analyzer writes them.
        std::string name = (k % 3 == 2) ? "weapon" + std::to_string(k) + " gun" : "key" + std::to_string(k) + " ";
        result.push_back({section, name, count});
        if (section == 1)
            firstSectionColumns += count;
    }
    for (int k = 0; firstSectionColumns < sectionOneColumns; ++k, firstSectionColumns += 4)
        result.push_back({1, "wide" + std::to_string(k) + " ", 4});
    return result;
}

// The corpus goes to the disk in one flush, like a Save all.
void Write(DurableWriteBatch& batch, const std::string& path, const std::string& bytes)
{
    FileError err;
    if (!batch.add(path, bytes, err))
        throw std::runtime_error("cannot write " + path + ": " + err.reason);
}

void Commit(DurableWriteBatch& batch)
{
    FileError err;
    if (!batch.commit(err))
        throw std::runtime_error("cannot write " + batch.failedPath() + ": " + err.reason);
}

}  // namespace

std::vector<std::string> WriteCorpus(const std::string& folder, const CorpusShape& shape)
{
    std::filesystem::create_directories(folder);
    const auto keys = MakeKeys(shape.keys, shape.sectionOneColumns);

    std::string variables;
    for (int s = 1; s <= 10; ++s) {
        variables += "[" + SectionName(dravik::SectionNumber(s)) + "]\r\n";
        for (const auto& key : keys)
            if (key.section == s)
                variables += key.name + "=" + std::to_string(key.count) + "\r\n";
    }
    DurableWriteBatch batch;
    Write(batch, folder + "/variables.var", variables);

    std::mt19937 random(20261208);
    std::vector<std::string> paths;
    for (int f = 0; f < shape.files; ++f) {
        std::string text;
        int lines = 0;
        for (int s = 1; s <= 10 && lines < shape.linesPerFile; ++s) {
            text += "[" + SectionName(dravik::SectionNumber(s)) + "]\r\n";
            ++lines;
            for (const auto& key : keys) {
                if (key.section != s)
                    continue;
                text += key.name;
                if (key.name.back() != ' ')
                    text += ' ';
                if (s == 10) {
                    text += "Unit " + std::to_string(f) + " description text";
                } else {
                    for (int v = 0; v < key.count; ++v)
                        text += std::to_string(random() % 1000) + (v + 1 < key.count ? " " : "");
                }
                text += "\r\n";
                ++lines;
            }
        }
        // Lines the schema does not name: the rest of a real unit file.
        for (int filler = 0; lines < shape.linesPerFile; ++filler, ++lines)
            text += "other" + std::to_string(filler) + " " + std::to_string(random() % 100000) + " free text\r\n";
        const std::string path = folder + "/unit" + std::to_string(f) + ".txt";
        Write(batch, path, text);
        paths.push_back(path);
    }
    Commit(batch);
    return paths;
}

std::vector<std::string> WritePrefixCorpus(const std::string& folder, int keys, int files)
{
    std::filesystem::create_directories(folder);
    std::vector<std::string> names{"gun "};
    for (int k = 0; k + 1 < keys; ++k)
        names.push_back("gun x" + std::to_string(k));
    std::string variables = "[section1]\r\n";
    for (const std::string& name : names)
        variables += name + "=1\r\n";
    DurableWriteBatch batch;
    Write(batch, folder + "/variables.var", variables);
    std::vector<std::string> paths;
    for (int f = 0; f < files; ++f) {
        std::string text = "[section1]\r\n";
        for (size_t k = 0; k < names.size(); ++k)
            text += names[k] + (names[k].back() == ' ' ? "" : " ") + std::to_string((k + static_cast<size_t>(f)) % 1000) + "\r\n";
        const std::string path = folder + "/gun" + std::to_string(f) + ".txt";
        Write(batch, path, text);
        paths.push_back(path);
    }
    Commit(batch);
    return paths;
}

bool ReadCorpusOption(int argc, char** argv, int& i, CorpusShape& shape, std::string& folder, bool& checkBounds)
{
    const std::string arg = argv[i];
    if (arg == "--no-bounds") {
        checkBounds = false;
        return true;
    }
    if (i + 1 >= argc)
        return false;
    if (arg == "--dir")
        folder = argv[++i];
    else if (arg == "--files")
        shape.files = std::stoi(argv[++i]);
    else if (arg == "--lines")
        shape.linesPerFile = std::stoi(argv[++i]);
    else if (arg == "--keys")
        shape.keys = std::stoi(argv[++i]);
    else
        return false;
    return true;
}

}  // namespace dravik::bench
