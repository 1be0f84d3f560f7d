#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/files/QxBuffer.h"
#include "game/field/PyxBallMotion.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/PyxGameEvents.h"
#include "support/RecordingEvents.h"
#include "support/ServiceFixture.h"
#include "support/TestPrototype.h"

namespace fieldtest {

// A board-object type whose flags, radius, drawn size and extra kind tag come from its
// definition.
class TestObjectType : public PyxEntityGameObjectType {
public:
    explicit TestObjectType(QxDefinition* definition) : PyxEntityGameObjectType(definition) {
        if (!definition)
            return;
        std::int32_t flags = 0;
        if (definition->FindKey("Flags") && definition->ReadInts(&flags, 1))
            SetTypeFlags(std::uint32_t(flags));
        float radius = 0.0f;
        if (definition->FindKey("Radius") && definition->ReadFloats(&radius, 1))
            SetRadius(radius);
        if (definition->FindKey("Size"))
            definition->ReadInts(size, 2);
        std::string kind;
        if (definition->FindKey("Kind") && definition->ReadString(kind) && kind.size() == 4)
            tag = QxKindTag({kind[0], kind[1], kind[2], kind[3], 0});
    }

    std::unique_ptr<QxEntityBase> CreateEntity() override;
    bool IsKind(std::uint32_t t) const override {
        return (tag != 0 && t == tag) || QxEntityBaseType::IsKind(t);
    }

    std::int32_t size[2] = {0, 0};
    std::uint32_t tag = 0;
};

// A board object that can roll and always blocks.
class TestObject : public PyxEntityGameObject, public PyxBallMotion {
public:
    explicit TestObject(TestObjectType* type) : PyxEntityGameObject(type) {}

    void GetSize(std::int32_t& width, std::int32_t& height) override {
        const auto* type = static_cast<TestObjectType*>(Type());
        width = type->size[0];
        height = type->size[1];
    }
    bool Blocks(const PyxEntityGameObjectType*) override { return true; }

    PyxVector Direction() const override { return direction; }
    void SetDirection(PyxVector d) override { direction = d; }
    float Speed() const override { return speed; }
    float TargetSpeed() const override { return targetSpeed; }
    void SetTargetSpeed(float s) override { targetSpeed = s; }

    PyxVector direction{1, 0};
    float speed = 0.0f;
    float targetSpeed = 0.0f;
};

inline std::unique_ptr<QxEntityBase> TestObjectType::CreateEntity() {
    return std::make_unique<TestObject>(this);
}

// A tile type whose kind bits come from "Bits".
class TestTileType : public PyxEntityTileBaseType {
public:
    explicit TestTileType(QxDefinition* definition) : PyxEntityTileBaseType(definition) {
        std::int32_t bits = 1;
        if (definition && definition->FindKey("Bits") && definition->ReadInts(&bits, 1))
            m_kindBits = std::uint32_t(bits);
    }
};

using testsupport::TestPrototype;

inline const TestPrototype<TestObjectType> kObjectPrototype;
inline const TestPrototype<TestTileType> kTilePrototype;

using testsupport::ReadText;
using testsupport::RecordingEvents;

// Little-endian bytes of a level file, written block by block.
class LevelBytes {
public:
    LevelBytes& Int(std::int32_t v) { return Raw(&v, 4); }
    LevelBytes& UInt(std::uint32_t v) { return Raw(&v, 4); }
    LevelBytes& Float(float v) { return Raw(&v, 4); }
    LevelBytes& Bool(bool v) {
        const std::uint8_t b = v ? 1 : 0;
        return Raw(&b, 1);
    }
    LevelBytes& Str(const std::string& s) {
        UInt(std::uint32_t(s.size()));
        return Raw(s.data(), s.size());
    }
    LevelBytes& Raw(const void* p, std::size_t n) {
        const auto* b = static_cast<const std::uint8_t*>(p);
        m_block.insert(m_block.end(), b, b + n);
        return *this;
    }
    LevelBytes& EndBlock() { return EndBlockWithLength(std::uint32_t(m_block.size())); }
    LevelBytes& EndBlockWithLength(std::uint32_t length) {
        const auto* l = reinterpret_cast<const std::uint8_t*>(&length);
        m_file.insert(m_file.end(), l, l + 4);
        m_file.insert(m_file.end(), m_block.begin(), m_block.end());
        m_block.clear();
        return *this;
    }
    const std::vector<std::uint8_t>& Bytes() const { return m_file; }

private:
    std::vector<std::uint8_t> m_block;
    std::vector<std::uint8_t> m_file;
};

inline std::unique_ptr<QxBuffer> BufferOf(const std::vector<std::uint8_t>& bytes) {
    auto buffer = std::make_unique<QxBuffer>();
    buffer->Allocate(std::uint32_t(bytes.size()), 0);
    if (!bytes.empty())
        std::memcpy(buffer->GetData(), bytes.data(), bytes.size());
    return buffer;
}

// The bytes SaveLevel writes for the level.
inline std::vector<std::uint8_t> Saved(PyxLevel& level) {
    QxBuffer out;
    EXPECT_TRUE(level.SaveLevel(out));
    return std::vector<std::uint8_t>(out.GetData(), out.GetData() + out.Tell());
}

class FieldTest : public testsupport::ServiceFixture {
protected:
    FieldTest() : ServiceFixture("field", {true, false, false, false, false}) {}
    void SetUp() override {
        ServiceFixture::SetUp();
        registry_.Register(&kObjectPrototype, "TestObject");
        registry_.Register(&kTilePrototype, "TestTile");
        Define("class TestObject\ntype ball\nFlags 2\nRadius 10\nSize 20, 20\nKind BALL\n"
               "Height 0.4\n");
        Define("class TestObject\ntype post\nFlags 1\nRadius 10\nHeight 0.2\n");
        Define("class TestObject\ntype award\nFlags 4\nRadius 16\nHeight 0.6\n");
        Define("class TestTile\ntype floor\nBits 1\n");
        Define("class TestTile\ntype sink\nBits 2\n");
        Define("class TestTile\ntype trap\nBits 6\n");
        // The rules' defaults: balls pass each other, awards stay.
        events_.bounceBalls = false;
        events_.collect = false;
        SetGameEvents(&events_);
    }
    void TearDown() override {
        SetGameEvents(nullptr);
        ServiceFixture::TearDown();
    }

    // Fills every cell of the level with a tile of the type.
    static void Floor(PyxLevel& level, const std::string& type = "floor") {
        for (std::int32_t i = 0; i < level.CellCount(); ++i)
            PutTile(level, i, type);
    }
    static PyxEntityTileBase* PutTile(PyxLevel& level, std::int32_t index,
                                      const std::string& type) {
        std::unique_ptr<QxEntityBase> entity = g_registry->Create("TestTile", type, kKindAny);
        auto* tile = static_cast<PyxEntityTileBase*>(entity.release());
        std::unique_ptr<PyxEntityTileBase> owned(tile);
        owned->SetCellIndex(index);
        owned->SetLevel(&level);
        const std::int32_t col = index % level.Columns();
        const std::int32_t row = index / level.Columns();
        owned->SetPosition(col * level.TileWidth(), row * level.TileHeight());
        level.SetTile(std::move(owned));
        return tile;
    }

    QxEntityRegistry& registry_ = Registry();
    RecordingEvents events_;
};

} // namespace fieldtest
