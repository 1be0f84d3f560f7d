#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/entity/EntityTestSupport.h"
#include "engine/entity/QxRegistrationTable.h"

namespace {

using namespace entitytest;

TEST_F(RegistryTest, UnknownClassAndDuplicatesAreLoggedAndRefused) {
    EXPECT_EQ(Define("class QxInputBox\ntype inputbox\n"), nullptr);
    EXPECT_EQ(Define("type nothing\n"), nullptr);
    QxEntityBaseType* first = Define("class element\ntype b\ntext first\n");
    EXPECT_EQ(Define("class element\ntype b\ntext second\n"), nullptr);
    EXPECT_EQ(registry_.FindType("element", "b"), first);
    EXPECT_EQ(static_cast<TestElementType*>(first)->text, "first");
    EXPECT_EQ(registry_.TypeCounter(), 1u);
    EXPECT_EQ(Log(), "QxInputBox - unknown class.\n"
                     " - unknown class.\n"
                     "element|b - already defined.\n");
    // Classes are registered once, and only with a prototype.
    EXPECT_FALSE(registry_.Register(nullptr, "class"));
    EXPECT_TRUE(RegisterEntityClasses(registry_));
    EXPECT_FALSE(RegisterEntityClasses(registry_));
}

TEST_F(RegistryTest, PrototypesThatBuildNothingOrThrowYieldNoType) {
    const NullPrototype none;
    const ThrowingPrototype throwing;
    registry_.Register(&none, "none");
    registry_.Register(&throwing, "throwing");
    EXPECT_EQ(Define("class none\ntype a\n"), nullptr);
    EXPECT_EQ(Define("class throwing\ntype a\n"), nullptr);
    EXPECT_EQ(registry_.TypeCount(), 0u);
    EXPECT_EQ(registry_.TypeCounter(), 0u);
    EXPECT_EQ(Log(), "throwing|a - bad definition\n");
    registry_.Clear(); // the local prototypes go before the registry
}

TEST_F(RegistryTest, CreateRefusesMissingTypesAndOtherKinds) {
    Define("class element\ntype x\n");
    EXPECT_EQ(registry_.Create("element", "missing", kKindAny), nullptr);
    EXPECT_EQ(registry_.Create("element", "x", QxKindTag("SCNE")), nullptr);
    EXPECT_EQ(registry_.Create(QxEntityRef{}, kKindAny), nullptr);
    std::unique_ptr<QxEntityBase> entity = registry_.Create("element", "x", QxKindTag("GUIE"));
    ASSERT_NE(entity, nullptr);
    EXPECT_EQ(entity->Type(), registry_.FindType("element", "x"));
    // A plain entity knows no named values or notices, and draws nothing.
    float number = 0.0f;
    EXPECT_FALSE(entity->SetBool(0, 1) || entity->SetInt(0, 1) || entity->SetString(0, "x") ||
                 entity->SetFloat(0, 1.0f) || entity->GetFloat(0, number) ||
                 entity->Notify(0, 0, 0) || entity->Type()->SetTypeInt(0, 1));
    EXPECT_TRUE(entity->Draw());
}

// A scene type's unload destroys elements of other types, so every type must still
// exist while any type unloads.
TEST_F(RegistryTest, ClearUnloadsEveryTypeBeforeDestroyingAny) {
    Define("class element\ntype a\n");
    Define("class scene\ntype b\n");
    Define("class dialog\ntype c\n");
    registry_.Clear();
    EXPECT_EQ(g_counters.unloads, 3);
    EXPECT_EQ(g_counters.unloadsAfterADestroy, 0);
    EXPECT_EQ(g_counters.destroyed, 3);
    EXPECT_EQ(registry_.TypeCount(), 0u);
    EXPECT_EQ(Define("class element\ntype a\n"), nullptr); // the prototypes are gone too
}

TEST_F(RegistryTest, InlineReferenceDefinesAnAnonymousType) {
    Define("class element\ntype first\n");
    TestElementType* outer = static_cast<TestElementType*>(
        Define("class element\ntype outer\nref @\n# the block follows\n{\n  class element\n"
               "  text inner\n  type ignored\n}\ntext outer text\n"));
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->ref, (QxEntityRef{"element", "Anon1"}));
    EXPECT_EQ(outer->text, "outer text");
    auto* inner = static_cast<TestElementType*>(registry_.FindType("element", "Anon1"));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->text, "inner");
    EXPECT_EQ(registry_.TypeCounter(), 3u);
}

TEST_F(RegistryTest, AnInlineBlockThatIsMissingOrDefinesNothingLeavesTheReferenceEmpty) {
    // The block of a later key is not taken, nor one after a stray "}".
    const struct {
        const char* text;
        const char* line;
    } cases[] = {
        {"ref @ {\n  class QxInputBox\n}\n", "QxInputBox - unknown class.\n"},
        {"ref @\ntext x\nother @ {\nclass element\n}\n",
         "ref - inline definition without a block.\n"},
        {"ref @ }{ }\n", "ref - inline definition without a block.\n"},
        {"ref @ {\nclass x\n", "ref - inline definition never closed.\n"},
    };
    std::string log;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto* type =
            static_cast<TestElementType*>(Define(std::string("class element\n") + c.text, true));
        ASSERT_NE(type, nullptr);
        EXPECT_TRUE(type->ref.IsEmpty());
        EXPECT_EQ(Log(), log += c.line);
    }
}

// Definitions each holding the next as an inline reference, `levels` deep.
std::string Nested(int levels) {
    std::string text = "class element\ntext level0\n";
    for (int i = 1; i <= levels; ++i)
        text += "ref @ {\nclass element\ntext level" + std::to_string(i) + "\n";
    for (int i = 1; i <= levels; ++i)
        text += "}\n";
    return text;
}

TEST_F(RegistryTest, InlineDefinitionsNestTo16LevelsAndNoDeeper) {
    ASSERT_NE(Define(Nested(16)), nullptr);
    EXPECT_EQ(registry_.TypeCount(), 17u);
    EXPECT_EQ(Log(), "");
    EXPECT_NE(Define("type deep\n" + Nested(40)), nullptr);
    EXPECT_EQ(registry_.TypeCount(), 17u + 17u);
    EXPECT_EQ(Log(), "ref - inline definitions nested deeper than 16.\n");
}

TEST_F(RegistryTest, LoadFileReadsTheFirstMatchInAnyFolder) {
    WriteFile("scenes/LoadingScene.ent", "class scene\ntype loading\n");
    EXPECT_TRUE(registry_.LoadFile("LoadingScene.ent"));
    EXPECT_NE(registry_.FindType("scene", "loading"), nullptr);
    EXPECT_FALSE(registry_.LoadFile("Missing.ent"));
    // A name that is listed but does not open defines nothing.
    std::filesystem::create_directories(DataFile("Hollow.ent"));
    std::vector<std::string> listed;
    Files().ListFiles("Hollow.ent", "", true, listed);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_FALSE(registry_.LoadFile("Hollow.ent"));
    SetCurrentFileSystem(nullptr);
    EXPECT_FALSE(registry_.LoadFile("LoadingScene.ent"));
}

TEST_F(RegistryTest, LoadAllDefinesEveryFileAndReportsProgress) {
    WriteFile("a.ent", "class element\ntype a\n");
    WriteFile("sub/b.ent", "class element\ntype b\n}\n");
    WriteFile("sub/deeper/c.ent", "class element\ntype a\n");
    WriteFile("notes.txt", "class element\ntype n\n");
    QxLoadProgress progress;
    registry_.SetProgress(&progress);
    registry_.LoadAll();
    EXPECT_EQ(progress.total, 6u);
    EXPECT_EQ(progress.done, 3u);
    EXPECT_EQ(registry_.TypeCount(), 2u);
    const std::string log = Log();
    EXPECT_NE(log.find("b.ent - \"}\" without \"{\".\n"), std::string::npos) << log;
    EXPECT_NE(log.find("element|a - already defined.\n"), std::string::npos) << log;
}

} // namespace
