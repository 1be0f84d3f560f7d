#pragma once
// The entity triple. A prototype is a stateless factory registered under a class
// name; it builds a type from a definition. A type holds what one definition says
// (values and the resources they name, shared by all instances) and builds entities.
// An entity holds the state of one instance and points at its type.
//
// A class `Foo` comes as `Foo` (entity), `FooType` and `FooPrototype`. Subclass types
// derive from their parent class's type through QxEntityTypeOf and read their own keys
// in their constructor, after the parent's constructor has read its keys from the same
// definition:
//
//     class FooType : public QxEntityTypeOf<FooType, Foo, ParentType, kKindFoo> { ... };
//     FooType::FooType(QxDefinition* definition) : QxEntityTypeOf(definition) {
//         if (definition)
//             definition->ReadKey("Speed", m_speed);
//     }
//
// A type constructed without a definition keeps every default.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/QxTypePart.h"

class QxDefinition;
class QxEntityBase;

// Kind tags: four characters packed with the first one in the most significant byte.
constexpr std::uint32_t QxKindTag(const char (&tag)[5]) {
    return (std::uint32_t(std::uint8_t(tag[0])) << 24) |
           (std::uint32_t(std::uint8_t(tag[1])) << 16) |
           (std::uint32_t(std::uint8_t(tag[2])) << 8) | std::uint32_t(std::uint8_t(tag[3]));
}

// Every type is of this kind, so asking for it accepts any type.
inline constexpr std::uint32_t kKindAny = QxKindTag("UNKN");

class QxEntityBaseType {
public:
    QxEntityBaseType() = default;
    QxEntityBaseType(const QxEntityBaseType&) = delete;
    QxEntityBaseType& operator=(const QxEntityBaseType&) = delete;

    // Builds an instance that points back at this type; the caller owns it.
    virtual std::unique_ptr<QxEntityBase> CreateEntity() = 0;
    virtual ~QxEntityBaseType();

    // Type properties. No type uses them yet; they answer false.
    virtual bool SetTypeBool(int id, std::int32_t value);
    virtual bool SetTypeInt(int id, std::int32_t value);
    virtual bool SetTypeString(int id, const std::string& text);
    virtual bool SetTypeFloat(int id, float value);

    // Loads the resources and shared sub-entities the definition named. Entities call
    // it every frame, so an override must return at once when already loaded unless
    // `reload` asks it to rebuild what depends on the display mode. Overrides call
    // the base, which loads the parts and keeps the loaded flag.
    virtual bool Load(bool reload);
    // Releases what Load made; overrides call the base, which gives the parts back and
    // clears the loaded flag.
    virtual bool Unload();
    // True for the type's own tag, every tag its base type answers, and kKindAny.
    virtual bool IsKind(std::uint32_t tag) const;

    const std::string& ClassName() const { return m_className; }
    const std::string& TypeName() const { return m_typeName; }
    bool IsLoaded() const { return m_loaded != 0; }

    // Set by the registry once the type was built.
    void SetNames(const std::string& className, const std::string& typeName);

protected:
    // Members the type loads and releases with itself, in this order; they must live as
    // long as the type.
    void AddParts(std::initializer_list<QxTypePart*> parts);

private:
    std::string m_className;
    std::string m_typeName;
    std::uint8_t m_loaded = 0;
    std::vector<QxTypePart*> m_parts;
};

class QxEntityBase {
public:
    // The type is not owned: the registry owns types and each outlives its entities.
    explicit QxEntityBase(QxEntityBaseType* type) : m_type(type) {}
    QxEntityBase(const QxEntityBase&) = delete;
    QxEntityBase& operator=(const QxEntityBase&) = delete;
    virtual ~QxEntityBase();

    // Properties by numeric id. Each answers true when it knew the id (a getter then
    // wrote its out value) and false otherwise, leaving everything unchanged.
    // Subclasses handle their ids and pass the rest to their base. The "Bool" pair
    // carries a full 32-bit value, not only 0 and 1.
    virtual bool SetBool(int id, std::int32_t value);
    virtual bool SetInt(int id, std::int32_t value);
    virtual bool SetString(int id, const std::string& text);
    virtual bool SetFloat(int id, float value);
    virtual bool GetBool(int id, std::int32_t& value);
    virtual bool GetInt(int id, std::int32_t& value);
    virtual bool GetString(int id, std::string& text);
    virtual bool GetFloat(int id, float& value);
    // A general-purpose notification; nothing handles it yet.
    virtual bool Notify(int id, std::int32_t first, std::int32_t second);

    // Keeps the type loaded.
    virtual bool Update(float ms);
    virtual bool Draw();

    QxEntityBaseType* Type() const { return m_type; }

private:
    QxEntityBaseType* m_type;
};

// Sits between a class's type and its base class's type, makes the entities and answers
// the class's kind tag, so that no type writes those steps out again. Type is the class
// deriving from it, whose pointer the entity's constructor takes; Entity need only be
// declared where Type is, since the body is instantiated where both are complete. A
// class with no tag of its own leaves Kind 0 and answers what its base answers.
template <typename Type, typename Entity, typename Base, std::uint32_t Kind = 0>
class QxEntityTypeOf : public Base {
public:
    using Base::Base;

    std::unique_ptr<QxEntityBase> CreateEntity() override {
        return std::make_unique<Entity>(static_cast<Type*>(this));
    }
    bool IsKind(std::uint32_t tag) const override {
        return (Kind != 0 && tag == Kind) || Base::IsKind(tag);
    }
};

class QxEntityTypePrototype {
public:
    QxEntityTypePrototype() = default;
    QxEntityTypePrototype(const QxEntityTypePrototype&) = delete;
    QxEntityTypePrototype& operator=(const QxEntityTypePrototype&) = delete;
    virtual ~QxEntityTypePrototype() = default;

    // Builds a type from the definition; the caller owns it. Null when no type could
    // be made. Prototypes are stateless and shared between threads.
    virtual std::unique_ptr<QxEntityBaseType> CreateType(QxDefinition& definition) const = 0;
};

// Every class's prototype: each type is built from its definition alone, so one
// template serves them all and each class names its own as an alias.
template <typename Type> class QxTypePrototype final : public QxEntityTypePrototype {
public:
    std::unique_ptr<QxEntityBaseType> CreateType(QxDefinition& definition) const override {
        return std::make_unique<Type>(&definition);
    }
};
