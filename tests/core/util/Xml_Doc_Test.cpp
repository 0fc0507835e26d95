#include "Qt_Print.h"
#include "util/Xml_Doc.h"

#include <gtest/gtest.h>

namespace {

pugi::xml_node Root_Of(pugi::xml_document& Doc, const char* Text) {
    EXPECT_TRUE(vo::Load_Xml_Bytes(QByteArray(Text), Doc)) << Text;
    return vo::First_Top_Node(Doc);
}

} // namespace

TEST(Xml_Doc, First_Top_Node_Is_Whatever_Comes_First) {
    pugi::xml_document Doc;
    EXPECT_EQ(Root_Of(Doc, "<?xml version=\"1.0\"?><a><b>1</b></a>").type(), pugi::node_declaration);
    EXPECT_EQ(Root_Of(Doc, "<!-- note --><a/>").type(), pugi::node_comment);
    EXPECT_STREQ(Root_Of(Doc, "<Other><b>1</b></Other>").name(), "Other");
}

TEST(Xml_Doc, Child_Text_Takes_The_First_Element_Holding_Plain_Text) {
    pugi::xml_document Doc;
    const pugi::xml_node Root =
        Root_Of(Doc, "<r><a>first</a><a>second</a><e></e><n><x>1</x></n><m>t<x/></m><c><![CDATA[c d]]></c>"
                     "<B>upper</B><s> 1</s></r>");
    EXPECT_EQ(vo::Child_Text(Root, "a"), QStringLiteral("first"));
    EXPECT_EQ(vo::Child_Text(Root, "e"), QString());
    EXPECT_FALSE(vo::Child_Text(Root, "n").has_value());
    EXPECT_FALSE(vo::Child_Text(Root, "m").has_value());
    EXPECT_EQ(vo::Child_Text(Root, "c"), QStringLiteral("c d"));
    EXPECT_FALSE(vo::Child_Text(Root, "b").has_value());
    EXPECT_FALSE(vo::Child_Text(Root, "missing").has_value());
    EXPECT_EQ(vo::Child_Text(Root, "s"), QStringLiteral(" 1"));
}

TEST(Xml_Doc, Writes_Raw_Utf8_Without_Declaration) {
    pugi::xml_document Doc;
    pugi::xml_node Root = Doc.append_child("Root");
    vo::Append_Text_Element(Root, "name", QString::fromUtf8("Prüf & <1>"));
    vo::Append_Text_Element(Root, "empty", QString());
    EXPECT_EQ(vo::Xml_To_Bytes(Doc), QByteArray("<Root><name>Pr\xc3\xbc"
                                                "f &amp; &lt;1&gt;</name><empty/></Root>"));
}

TEST(Xml_Doc, A_Carriage_Return_Is_Written_As_A_Reference_And_Reads_Back) {
    // XML reads a bare CR, alone or before LF, as LF; only the reference keeps it.
    pugi::xml_document Doc;
    const QString Text = QStringLiteral("a\rb\r\nc\nd");
    vo::Append_Text_Element(Doc.append_child("Root"), "t", Text);
    const QByteArray Bytes = vo::Xml_To_Bytes(Doc);
    EXPECT_EQ(Bytes, QByteArray("<Root><t>a&#13;b&#13;\nc\nd</t></Root>"));
    EXPECT_EQ(vo::Child_Text(Root_Of(Doc, Bytes.constData()), "t"), Text);
}

TEST(Xml_Doc, Malformed_Input_Gives_An_Error_And_An_Empty_Document) {
    pugi::xml_document Doc;
    for (const char* Text : {"", "<a>", "\x01\x02\xff", "<a></b>", "text"}) {
        EXPECT_FALSE(vo::Load_Xml_Bytes(QByteArray(Text), Doc)) << Text;
        EXPECT_FALSE(vo::First_Top_Node(Doc)) << Text;
    }
}

TEST(Xml_Doc, Blank_Text_Survives_While_Layout_Blanks_Do_Not) {
    pugi::xml_document Doc;
    const pugi::xml_node Root =
        Root_Of(Doc, "<r>\n  <a>  </a>\n  <b> x </b>\n  <c>\n    <d>1</d>\n  </c>\n</r>");
    EXPECT_EQ(vo::Child_Text(Root, "a"), QStringLiteral("  "));
    EXPECT_EQ(vo::Child_Text(Root, "b"), QStringLiteral(" x "));
    EXPECT_EQ(vo::Child_Text(Root.child("c"), "d"), QStringLiteral("1"));
    EXPECT_FALSE(vo::Child_Text(Root, "c").has_value());
}
