"""The Python module against the built library (TOVALIN_LIBRARY): python3 -m unittest here."""

import locale
import os
import tempfile
import unittest

import tovalin

# Shift_JIS: 設定 in the comment, 名前 as a tag, ～① (wave dash, circled one) as a value.
SETTINGS = (b'<?xml version="1.0" encoding="Shift_JIS"?>\r\n<!--\x90\xdd\x92\xe8-->\r\n'
            b'<r>\r\n<\x96\xbc\x91\x4f>\x81\x60\x87\x40</\x96\xbc\x91\x4f>\r\n</r>\r\n')


class ModuleTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        # The process speaks Shift_JIS; the module's texts are UTF-8 all the same.
        self.addCleanup(locale.setlocale, locale.LC_CTYPE, locale.setlocale(locale.LC_CTYPE))
        locale.setlocale(locale.LC_CTYPE, "ja_JP.SJIS")

    def write(self, name, data):
        path = os.path.join(self.folder.name, name)
        with open(path, "wb") as file:
            file.write(data)
        return path

    def test_japanese_texts_round_trip_through_a_shift_jis_file(self):
        document = tovalin.Document(self.write("in.xml", SETTINGS))
        self.assertEqual(document.get("名前"), "～①")
        self.assertEqual([node.value for node in document.document.children],
                         ["xml", "#comment", "r"])
        self.assertEqual(document.document.first_child.next_sibling.type, tovalin.COMMENT_NODE)
        document.set("名前", "日本－")
        document.root.set_attribute("種類", "値")
        out = os.path.join(self.folder.name, "out.xml")
        document.save(out)
        with open(out, "rb") as file:
            self.assertEqual(file.read(), SETTINGS.replace(b"<r>", b'<r \x8e\xed\x97\xde="\x92\x6c">')
                             .replace(b"\x81\x60\x87\x40", b"\x93\xfa\x96\x7b\x81\x7c"))
        self.assertEqual(tovalin.Document(out).get_all("名前"), ["日本－"])

    def test_a_loaded_file_tells_its_encoding_and_positions_and_saves_indented(self):
        document = tovalin.Document(self.write("in.xml", SETTINGS))
        self.assertEqual(document.file_encoding, "Shift_JIS")
        made = document.document.create_element("made")
        self.assertEqual([node.position for node in (document.root, document.root.first_child, made)],
                         [(3, 4), (4, 5), (0, 0)])
        self.assertEqual([node.source_file for node in (document.root, made)],
                         [os.path.join(self.folder.name, "in.xml"), ""])
        document.remove_white_space()
        self.assertEqual(document.layout, tovalin.LAYOUT_KEEP)
        self.assertRaises(tovalin.TovalinError, setattr, document, "layout", 2)
        document.layout = tovalin.LAYOUT_FIXED
        document.indent = 2
        self.assertEqual(document.indent, 2)
        out = os.path.join(self.folder.name, "out.xml")
        document.save(out, tovalin.ENCODE_UTF8)
        with open(out, "rb") as file:
            self.assertIn("<r>\n  <名前>～①</名前>\n</r>".encode("utf-8"), file.read())
        self.assertRaises(tovalin.TovalinError, setattr, document, "indent", 17)
        self.assertRaises(OverflowError, setattr, document, "indent", 2**32 + 2)
        self.assertEqual(document.indent, 2)
        with self.assertRaises(tovalin.TovalinError):
            document.save(os.path.join(self.folder.name, "no", "x.xml"))
        self.assertIn("フォルダ", document.last_error)

    def test_problem_records_carry_line_and_column(self):
        document = tovalin.Document()
        for language in (tovalin.MESSAGES_PARSER, tovalin.MESSAGES_JAPANESE):
            document.message_language = language
            with self.assertRaises(tovalin.LoadError) as failed:
                document.load(self.write("bad.xml", b"<a>\n<b></a>\n"))
            (problem,) = failed.exception.problems
            self.assertEqual((problem.line, str(failed.exception)), (2, problem.message))
            self.assertGreater(problem.column, 0)
            self.assertEqual(document.message_language, language)
        self.assertNotEqual(problem.message, problem.message.encode("ascii", "ignore").decode())
        lost = self.write("lost.xml", b'<!DOCTYPE r SYSTEM "gone.dtd">\n<r/>\n')
        self.assertRaises(tovalin.LoadError, document.load, lost)
        document.unreadable_dtd = tovalin.DTD_WARNS
        (warning,) = document.load(lost)
        self.assertEqual((warning.line, document.unreadable_dtd), (1, tovalin.DTD_WARNS))
        self.assertIn("gone.dtd", warning.message)
        self.assertRaises(tovalin.TovalinError, setattr, document, "unreadable_dtd", 2)

    def test_failures_raise_with_their_status(self):
        document = tovalin.Document()
        root = document.create("r").document_element
        child = root.append(document.document.create_element("c"))
        raising = {
            tovalin.DOM + 3: lambda: child.append(root),
            tovalin.DOM + 5: lambda: document.document.create_element("1st"),
            tovalin.NO_DOCUMENT: lambda: tovalin.Document().document,
            tovalin.FAILED: lambda: document.save(os.path.join(self.folder.name, "no", "x.xml")),
            tovalin.INVALID_ARGUMENT: lambda: child.create_text("t"),
            tovalin.NOT_APPLICABLE: lambda: document.document.create_text("t").elements("c"),
            tovalin.OUT_OF_RANGE: lambda: tovalin.Tokenizer("a\tb").value_at(9),
        }
        for status, call in raising.items():
            with self.assertRaises(tovalin.TovalinError) as failed:
                call()
            self.assertEqual(failed.exception.status, status, str(failed.exception))
        self.assertRaises(ValueError, document.set, "c", "a\0b")
        self.assertEqual(document.get("c"), "")

    def test_walk_through_a_filter_and_the_tokenizer(self):
        document = tovalin.Document(self.write("in.xml", b"<r><a>x</a><b/></r>"))

        def refuse_a(node):
            if node.value == "b":
                raise KeyError("b")
            return tovalin.REJECT if node.value == "a" else tovalin.ACCEPT

        walked = document.root.walk(1, refuse_a)
        self.assertEqual(next(walked).value, "r")
        self.assertRaises(KeyError, next, walked)
        self.assertEqual([n.value for n in document.document.walk(4)], ["x"])
        self.assertEqual(tovalin.Tokenizer("名\t前\n値").value(1, 2), "前")
        self.assertRaises(OverflowError, tovalin.Tokenizer("a\tb").next, 2**32)


    def test_every_number_crossing_into_c_is_checked(self):
        document = tovalin.Document(self.write("in.xml", b"<r><a/></r>"))
        tokenizer = tovalin.Tokenizer("a\tb\nc\td")
        out = os.path.join(self.folder.name, "out.xml")
        raising = [
            (OverflowError, lambda: tokenizer.value(2**32 + 2, 2)),
            (OverflowError, lambda: tokenizer.value_at(2**31)),
            (OverflowError, lambda: tokenizer.row(-2**31 - 1)),
            (OverflowError, lambda: tokenizer.next(-1)),
            (OverflowError, lambda: document.save(out, 2**32 + 2)),
            (OverflowError, lambda: list(document.root.walk(what_to_show=-1))),
            (OverflowError, lambda: list(document.root.walk(accept=lambda node: 2**32 + 1))),
            (TypeError, lambda: tokenizer.value("2", 2)),
            (TypeError, lambda: tokenizer.value_at(1.0)),
            (TypeError, lambda: setattr(document, "indent", None)),
            (TypeError, lambda: list(document.root.walk(accept=lambda node: None))),
            (tovalin.TovalinError, lambda: list(document.root.walk(accept=lambda node: 7))),
        ]
        for expected, call in raising:
            with self.assertRaises(expected):
                call()
        self.assertEqual(tokenizer.value(2, 2), "d")
        self.assertFalse(os.path.exists(out))

    def test_failed_loads_and_saves_raise_with_the_librarys_reason(self):
        document = tovalin.Document()
        # Names that are no UTF-8, as bytes and as the str the file system gives for them.
        for path in (os.path.join(self.folder.name.encode(), b"\x93\xfa.xml"),
                     os.path.join(self.folder.name, "\udc93\udcfa.xml")):
            with self.assertRaises(tovalin.LoadError) as failed:
                document.load(path)
            (problem,) = failed.exception.problems
            self.assertEqual(str(failed.exception), problem.message)
            self.assertEqual(os.fsencode(problem.system_id), os.fsencode(path))
        self.assertRaises(ValueError, document.load, b"a\0b.xml")
        document.load(self.write("in.xml", b"<r>\xe6\x97\xa5</r>"))
        with self.assertRaises(tovalin.TovalinError) as failed:
            document.save(os.path.join(self.folder.name, "no", "x.xml"))
        self.assertEqual(str(failed.exception), document.last_error)
        self.assertIn("フォルダ", str(failed.exception))
        # Kept texts follow a switch of the text encoding: made in Shift_JIS, read in UTF-8.
        self.addCleanup(tovalin._lib.tovalin_set_text_encoding, 1)
        tovalin._lib.tovalin_set_text_encoding(0)
        with self.assertRaises(tovalin.TovalinError):
            document.save(os.path.join(self.folder.name, "no", "x.xml"), tovalin.ENCODE_UTF8)
        tovalin._lib.tovalin_set_text_encoding(1)
        self.assertEqual(tovalin._last_message(), document.last_error)
        self.assertIn("フォルダ", document.last_error)

    def test_character_data_of_every_kind_of_node(self):
        document = tovalin.Document(self.write(
            "in.xml", b"<r><!--note--><?pi do it?><t>a<![CDATA[<b>]]>c<i>no</i></t><t/></r>"))
        comment, instruction, element, _ = document.root.children
        section = element.children[1]
        self.assertEqual([node.data for node in (comment, instruction, element, section)],
                         ["note", "do it", "a<b>c", "<b>"])
        self.assertEqual((section.value, document.get("t"), document.get_all("t")),
                         ("#cdata-section", "a<b>c", ["a<b>c", ""]))
        section.data = "]]>"
        comment.data = "日本"
        self.assertEqual((document.get("t"), comment.data), ("a]]>c", "日本"))
        with self.assertRaises(tovalin.TovalinError) as refused:
            element.data = "x"
        self.assertEqual(refused.exception.status, tovalin.NOT_APPLICABLE)
        self.assertEqual((tovalin.Document().get("t"), tovalin.Document().get_all("t")), ("", []))


if __name__ == "__main__":
    unittest.main()
