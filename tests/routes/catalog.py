"""A compiled translation catalog (.mo), read to find what a front end shows for a Russian text
of a route: the Python players' way of taking a route's words, captions and checks through the
catalog, as the C++ tests do with layout::Catalog. Without a catalog, the Russian game."""

import struct

OBJECT_WORD = "object word"  # the context of every object word


class Catalog:
    def __init__(self, path=None):
        self.texts = {}
        if path:
            with open(path, "rb") as f:
                data = f.read()
            magic, _, count, sources, translations = struct.unpack_from("<5I", data)
            assert magic == 0x950412DE, f"{path} is no compiled catalog"
            for n in range(count):
                (ls, os_), (lt, ot) = (struct.unpack_from("<2I", data, table + 8 * n)
                                       for table in (sources, translations))
                self.texts[data[os_:os_ + ls].decode()] = data[ot:ot + lt].decode()

    def text(self, russian):
        return russian and self.texts.get(russian) or russian  # "" keys the header

    def word(self, russian):
        return self.texts.get(f"{OBJECT_WORD}\x04{russian}") or russian

    def opening(self, russian):
        """How the text that begins so begins in the catalog: its first line."""
        if not russian:
            return russian
        for source, shown in self.texts.items():
            if source.startswith(russian) and "\x04" not in source:
                return shown.split("\r\n")[0]
        return russian
