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

} // namespace

StorageTree::Children& StorageTree::Node::ensureChildren()
{
    if (!children) {
        children = std::make_unique<Children>();
    }
    return *children;
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
    apply(record.path(), record.size(), direction);
}

void StorageTree::apply(std::string_view path, std::int64_t size, int direction)
{
    const std::string* root = rootOf(path);
    if (root == nullptr) {
        return;
    }
    const std::vector<std::string_view> below = names(path.substr(root->size() + 1));
    if (below.empty()) {
        return;
    }
    const std::string_view fileName = below.back();
    const std::string_view folder = path.substr(0, path.size() - fileName.size() - 1);
    Chain& chain = chainFor(*root, folder);
    Node& file =
        chain.nodes.back()->ensureChildren().try_emplace(std::string(fileName)).first->second;
    file.bytes += size * direction;
    file.count += direction;
    for (Node* node : chain.nodes) {
        node->bytes += size * direction;
        node->count += direction;
    }
    prune(file, fileName);
}

// Files of one folder arrive together, so the folders above them are looked up once.
StorageTree::Chain& StorageTree::chainFor(const std::string& root, std::string_view folder)
{
    if (!last_.nodes.empty() && last_.folder == folder) {
        return last_;
    }
    last_ = Chain{.folder = std::string(folder), .nodes = {}, .names = {root}};
    Node* node = &top_.try_emplace(root, Node{.directory = true}).first->second;
    last_.nodes.push_back(node);
    if (folder.size() > root.size()) {
        for (const std::string_view name : names(folder.substr(root.size() + 1))) {
            node = &node->ensureChildren()
                        .try_emplace(std::string(name), Node{.directory = true})
                        .first->second;
            last_.nodes.push_back(node);
            last_.names.emplace_back(name);
        }
    }
    return last_;
}

// A node lives only while files lie below it. Going bottom-up, a folder is erased only after
// everything below it was dealt with.
void StorageTree::prune(Node& file, std::string_view fileName)
{
    std::vector<Node*>& chain = last_.nodes;
    bool erased = false;
    if (file.count < 1) {
        chain.back()->children->erase(chain.back()->children->find(fileName));
        erased = true;
    }
    for (std::size_t level = chain.size() - 1; level > 0; --level) {
        if (chain[level]->count < 1) {
            chain[level - 1]->children->erase(last_.names[level]);
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

const StorageTree::Node* StorageTree::find(std::string_view folder) const
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
    const Node* node = &top->second;
    if (folder.size() == root->size()) {
        return node;
    }
    const std::vector<std::string_view> below = names(folder.substr(root->size() + 1));
    if (below.empty()) {
        return nullptr;
    }
    for (const std::string_view name : below) {
        if (!node->children) {
            return nullptr;
        }
        const auto child = node->children->find(name);
        if (child == node->children->end()) {
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
    } else if (const Node* parent = find(*folder); parent != nullptr && parent->children) {
        for (const auto& [name, node] : *parent->children) {
            result.push_back(
                {path::appending(*folder, name), name, node.directory, node.bytes, node.count});
        }
    }
    std::sort(result.begin(), result.end(), [](const StorageNode& a, const StorageNode& b) {
        return a.bytes != b.bytes ? a.bytes > b.bytes : a.id < b.id;
    });
    return result;
}

} // namespace tollenvane
