#pragma once

#include "platform/Registry.h"
#include "codec/CodePage932.h"

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace bw::test {

// A registry held in memory, in code page 932, that records every call.
class FakeRegistry : public Registry {
public:
    struct Value {
        std::uint32_t type = registry::kString;
        std::string bytes;  // as stored, a string's NUL included if it has one
    };
    struct Open {
        std::uint32_t root;
        std::string subKey;
        std::uint32_t access;
    };
    struct Query {
        std::string valueName;
        std::uint32_t bufferSize;
    };

    // root, key path (as the caller spells it) and value name -> value
    std::map<std::uint32_t, std::map<std::string, std::map<std::string, Value>>> keys;

    std::vector<Open> opens;
    std::vector<Query> queries;
    std::vector<Key> closes;
    std::set<Key> openKeys;

    void setString(const std::string& key, const std::string& name, const std::string& bytes) {
        keys[registry::kLocalMachine][key][name] = {registry::kString, bytes};
    }
    void setValue(const std::string& key, const std::string& name, std::uint32_t type, const std::string& bytes) {
        keys[registry::kLocalMachine][key][name] = {type, bytes};
    }

    std::int32_t openKey(std::uint32_t root, const std::string& subKey, std::uint32_t access, Key& key) override {
        opens.push_back({root, subKey, access});
        const auto rootIt = keys.find(root);
        if (rootIt == keys.end() || rootIt->second.count(subKey) == 0) {
            key = 0;
            return registry::kNotFound;
        }
        key = nextKey_++;
        handles_[key] = &rootIt->second[subKey];
        openKeys.insert(key);
        return registry::kSuccess;
    }

    std::int32_t queryValue(Key key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                            std::uint32_t& size) override {
        queries.push_back({valueName, size});
        if (openKeys.count(key) == 0) {
            return registry::kInvalidHandle;
        }
        const auto& values = *handles_[key];
        const auto it = values.find(valueName);
        if (it == values.end()) {
            return registry::kNotFound;
        }
        type = it->second.type;
        const auto needed = static_cast<std::uint32_t>(it->second.bytes.size());
        if (needed > size) {
            size = needed;
            return registry::kMoreData;
        }
        std::memcpy(data, it->second.bytes.data(), needed);
        size = needed;
        return registry::kSuccess;
    }

    std::int32_t closeKey(Key key) override {
        closes.push_back(key);
        return openKeys.erase(key) == 1 ? registry::kSuccess : registry::kInvalidHandle;
    }

    std::string encode(std::u16string_view text) const override { return encodeCodePage932(text); }
    std::u16string decode(std::string_view bytes) const override { return decodeCodePage932(bytes); }

private:
    Key nextKey_ = 100;
    std::map<Key, std::map<std::string, Value>*> handles_;
};

}  // namespace bw::test
