#include "core/storage/StorageTree.h"

#include "core/access/FolderAccess.h"
#include "core/base/Path.h"
#include "core/records/FileRecord.h"

#include <algorithm>

namespace tollenvane {

namespace {

// The names between slashes; an empty name (a doubled or trailing slash) makes the list empty,
// since no stored path has one.
std::vector<std::string_view> names(std::string_view relative)
{
    std::vector<std::string_view> result;
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = relative.find('/', start);
        const std::string_view name = relative.substr(start, slash - start);
        if (name.empty()) {
            return {};
        }
        result.push_back(name);
        if (slash == std::string_view::npos) {
            return result;
        }
        start = slash + 1;
    }
}

std::size_t nameHash(std::string_view name)
{
    return TextHash{}(name);
}

} // namespace

std::optional<PositionIndex::Position> StorageTree::Folder::findFile(std::string_view name)
{
    indexFiles();
    return fileIndex.find(nameHash(name), [this, name](PositionIndex::Position position) {
        return path::lastComponent(files[position].path.view()) == name;
    });
}

void StorageTree::Folder::indexFiles()
{
    if (fileIndex.size() == files.size()) {
        return;
    }
    fileIndex = PositionIndex();
    fileIndex.reserve(files.size());
    for (std::size_t position = 0; position < files.size(); ++position) {
        fileIndex.insert(static_cast<PositionIndex::Position>(position),
                         nameHash(path::lastComponent(files[position].path.view())));
    }
}

void StorageTree::Folder::addFile(File file)
{
    indexFiles();
    // Grown by half rather than doubled: most of the tree's memory is these lists.
    if (files.size() == files.capacity()) {
        files.reserve(files.size() + files.size() / 2 + 4);
    }
    const std::size_t hash = nameHash(path::lastComponent(file.path.view()));
    files.push_back(std::move(file));
    fileIndex.insert(static_cast<PositionIndex::Position>(files.size() - 1), hash);
}

StorageTree::File StorageTree::Folder::takeFile(PositionIndex::Position position)
{
    indexFiles();
    const auto hashAt = [this](PositionIndex::Position at) {
        return nameHash(path::lastComponent(files[at].path.view()));
    };
    fileIndex.erase(position, hashAt(position));
    File taken = std::move(files[position]);
    const auto last = static_cast<PositionIndex::Position>(files.size() - 1);
    if (position != last) {
        fileIndex.relocate(last, position, hashAt(last));
        files[position] = std::move(files[last]);
    }
    files.pop_back();
    return taken;
}

void StorageTree::Folder::settle()
{
    if (!settled) {
        files.shrink_to_fit();
        fileIndex = PositionIndex();
        settled = true;
    }
}

// A name already held as a file becomes a folder that keeps the file's form and totals.
StorageTree::Folder& StorageTree::Folder::subfolder(std::string_view name)
{
    if (!folders) {
        folders = std::make_unique<Folders>();
    }
    if (const auto found = folders->find(name); found != folders->end()) {
        return found->second;
    }
    Folder folder;
    if (const auto file = findFile(name)) {
        const File taken = takeFile(*file);
        folder.directory = false;
        folder.bytes = taken.bytes;
        folder.count = taken.count;
    }
    return folders->emplace(std::string(name), std::move(folder)).first->second;
}

StorageTree::StorageTree(const std::vector<std::string>& roots)
    : roots_(FolderAccess::normalizedRoots(roots))
{}

const std::string* StorageTree::rootOf(std::string_view path) const
{
    const auto found = std::find_if(roots_.begin(), roots_.end(), [path](const std::string& root) {
        return path::beginsWithFolder(path, root);
    });
    return found == roots_.end() ? nullptr : &*found;
}

void StorageTree::apply(const FileRecord& record, int direction)
{
    apply(record.path(), &record.sharedPath(), record.size(), direction);
}

void StorageTree::apply(std::string_view path, std::int64_t size, int direction)
{
    apply(path, nullptr, size, direction);
}

void StorageTree::apply(std::string_view path, const SharedText* shared, std::int64_t size,
                        int direction)
{
    const std::string* root = rootOf(path);
    if (root == nullptr) {
        return;
    }
    // Only the file's own name is split off here: the folders above it are looked at when the
    // folder changes, which for a scan is once per folder, not once per file.
    const std::size_t slash = path.rfind('/');
    const std::string_view fileName = path.substr(slash + 1);
    Chain* chain = fileName.empty() ? nullptr : chainFor(*root, path.substr(0, slash));
    if (chain == nullptr) {
        return;
    }
    Folder& parent = *chain->nodes.back();
    const std::int64_t delta = size * direction;
    for (Folder* node : chain->nodes) {
        node->bytes += delta;
        node->count += direction;
    }
    if (parent.folders) {
        if (const auto folder = parent.folders->find(fileName); folder != parent.folders->end()) {
            folder->second.bytes += delta;
            folder->second.count += direction;
            // The chain ends at the parent, so it stays valid and the emptied folders above go.
            if (folder->second.count < 1) {
                parent.folders->erase(folder);
            }
            prune();
            return;
        }
    }
    if (const auto file = parent.findFile(fileName)) {
        File& held = parent.files[*file];
        held.bytes += delta;
        held.count += direction;
        if (held.count < 1) {
            parent.takeFile(*file);
        }
    } else if (direction > 0) {
        parent.addFile({shared != nullptr ? *shared : SharedText(path), delta, direction});
    }
    prune();
}

// Files of one folder arrive together, so the folders above them are looked up once.
StorageTree::Chain* StorageTree::chainFor(const std::string& root, std::string_view folder)
{
    if (!last_.nodes.empty()) {
        if (last_.folder == folder) {
            return &last_;
        }
        last_.nodes.back()->settle();
    }
    const std::vector<std::string_view> below = folder.size() > root.size()
                                                    ? names(folder.substr(root.size() + 1))
                                                    : std::vector<std::string_view>{};
    if (folder.size() > root.size() && below.empty()) {
        return nullptr; // a doubled slash: no stored path has one
    }
    last_ = Chain{.folder = std::string(folder), .nodes = {}, .names = {root}};
    Folder* node = &top_.try_emplace(root).first->second;
    last_.nodes.push_back(node);
    for (const std::string_view name : below) {
        node = &node->subfolder(name);
        last_.nodes.push_back(node);
        last_.names.emplace_back(name);
    }
    return &last_;
}

// A node lives only while files lie below it. Going bottom-up, a folder is erased only after
// everything below it was dealt with.
void StorageTree::prune()
{
    if (last_.nodes.empty()) {
        return;
    }
    std::vector<Folder*>& chain = last_.nodes;
    bool erased = false;
    for (std::size_t level = chain.size() - 1; level > 0; --level) {
        if (chain[level]->count < 1) {
            chain[level - 1]->folders->erase(last_.names[level]);
            erased = true;
        }
    }
    if (chain.front()->count < 1) {
        top_.erase(last_.names.front());
        erased = true;
    }
    if (erased) {
        last_ = Chain{};
    }
}

const StorageTree::Folder* StorageTree::find(std::string_view folder) const
{
    const auto root = std::find_if(roots_.begin(), roots_.end(), [folder](const std::string& r) {
        return folder == r || path::beginsWithFolder(folder, r);
    });
    if (root == roots_.end()) {
        return nullptr;
    }
    const auto top = top_.find(*root);
    if (top == top_.end()) {
        return nullptr;
    }
    const Folder* node = &top->second;
    if (folder.size() == root->size()) {
        return node;
    }
    const std::vector<std::string_view> below = names(folder.substr(root->size() + 1));
    if (below.empty()) {
        return nullptr;
    }
    for (const std::string_view name : below) {
        if (!node->folders) {
            return nullptr;
        }
        const auto child = node->folders->find(name);
        if (child == node->folders->end()) {
            return nullptr;
        }
        node = &child->second;
    }
    return node;
}

std::vector<StorageNode> StorageTree::nodes(std::optional<std::string_view> folder) const
{
    std::vector<StorageNode> result;
    if (!folder) {
        for (const auto& [path, node] : top_) {
            result.push_back({path, std::string(path::lastComponent(path)), node.directory,
                              node.bytes, node.count});
        }
    } else if (const Folder* parent = find(*folder)) {
        if (parent->folders) {
            for (const auto& [name, node] : *parent->folders) {
                result.push_back(
                    {path::appending(*folder, name), name, node.directory, node.bytes, node.count});
            }
        }
        for (const File& file : parent->files) {
            const std::string_view path = file.path.view();
            result.push_back({std::string(path), std::string(path::lastComponent(path)), false,
                              file.bytes, file.count});
        }
    }
    std::sort(result.begin(), result.end(), [](const StorageNode& a, const StorageNode& b) {
        return a.bytes != b.bytes ? a.bytes > b.bytes : a.id < b.id;
    });
    return result;
}

} // namespace tollenvane
