"""Where the game's windows and controls stand, in twips, as a player finds them.

Kept apart from the game's own tables on purpose: a control that drifts from its place
makes the clicks below miss and the tests fail.
"""

from collections import namedtuple

TWIPS_PER_PIXEL = 15

Twips = namedtuple("Twips", "x y width height")


class Window(namedtuple("Window", "name client controls")):
    """A top-level window: its client area on the screen and its controls inside it."""

    def __getitem__(self, key):
        if isinstance(key, str):
            return self.controls[key]
        return super().__getitem__(key)


# The main window. Panel labels are given relative to the window, not to their panel.
FORM1 = Window("Form1", Twips(2550, 1710, 5550, 5220), {
    "Command3": Twips(3600, 120, 1095, 255),   # "&Инфо"
    "Command2": Twips(5160, 120, 255, 255),    # "Выход"
    "Label2": Twips(1440, 360, 255, 255),      # the level
    "Label15": Twips(3240, 1680, 375, 255),    # health
    "Text1": Twips(240, 720, 2895, 1215),      # description box
    "Text2": Twips(240, 2040, 5055, 975),      # response box
    "Text3": Twips(2040, 4200, 1455, 285),     # input box
    "Text4": Twips(840, 360, 3855, 3495),      # intro box
    "Text5": Twips(600, 1800, 4455, 615),      # title splash
    "Label16": Twips(3000, 3960, 735, 255),    # "ДАЛЕЕ..."
    "Label5": Twips(2160, 3480, 1335, 255),    # "ОСМОТРЕТЬСЯ"
    "Label6": Twips(2160, 4560, 1335, 255),    # "ОБСЛЕДОВАТЬ"
    # The actions panel Picture1 sits at 240, 3480.
    "Label7": Twips(240 + 240, 3480 + 120, 975, 255),    # "Разговор"
    "Label8": Twips(240 + 360, 3480 + 360, 735, 255),    # "Идти"
    "Label9": Twips(240 + 240, 3480 + 600, 1095, 255),   # "Мастерить"
    "Label10": Twips(240 + 360, 3480 + 840, 855, 255),   # "Копать" / "Стрелять"
    "Label11": Twips(240 + 240, 3480 + 1080, 1095, 255),  # "Подобрать"
    # The inventory panel Picture2 sits at 3840, 3480.
    "Label12": Twips(3840 + 120, 3480 + 120, 1215, 255),   # slot 1
    "Label13": Twips(3840 + 120, 3480 + 600, 1215, 255),   # slot 2
    "Label14": Twips(3840 + 120, 3480 + 1080, 1215, 255),  # slot 3
})

INFO = Window("info", Twips(1905, 2670, 5070, 2130), {
    "Label1": Twips(1440, 240, 1815, 255),     # title line
    "Command1": Twips(3480, 1680, 1455, 255),  # "&Отмена"
})

LESNIK = Window("lesnik", Twips(2115, 2265, 4680, 2985), {
    "Label1": Twips(1680, 120, 2895, 1695),    # the forester's answer
    "Label2": Twips(120, 1920, 1935, 255),     # "Кто ты и как тебя зовут?"
    "Label3": Twips(120, 2160, 3855, 255),     # "Здесь поблизости есть какое-нибудь поселение?"
    "Label6": Twips(1560, 2640, 495, 255),     # "Пока!"
})

MUSIK = Window("musik", Twips(2115, 1710, 4680, 3615), {
    "Label1": Twips(1080, 120, 2175, 1815),    # the guard's answer
    "Label2": Twips(120, 2040, 2175, 255),     # "Как я понимаю вы охраник?"
    "Label4": Twips(120, 2280, 2295, 255),     # "Что интересного здесь есть?"
    "Label3": Twips(120, 2520, 2055, 255),     # "Могу ли я войти в нутрь?"
    "Label5": Twips(120, 2760, 3495, 255),     # "Такие монеты пойдут? (Отдаёте 100 монет)"
    "Label7": Twips(120, 3000, 2535, 255),     # "К сожалению у меня нет монет!"
    "Label6": Twips(120, 3240, 855, 255),      # "Увидимся!"
})

STOL = Window("Stol", Twips(2340, 1605, 3825, 2970), {
    "Label2": Twips(360, 1320, 735, 1095),     # left card
    "Label3": Twips(1560, 1320, 735, 1095),    # middle card
    "Label4": Twips(2760, 1320, 735, 1095),    # right card
    "Label6": Twips(360, 2520, 975, 255),      # "Вы погибли"
    "Label7": Twips(2880, 2520, 735, 255),     # "Победа!"
})

FORM2 = Window("Form2", Twips(2595, 1920, 5400, 4410), {
    "Text1": Twips(120, 120, 5175, 3855),      # the closing narrative
    "Label1": Twips(4320, 4080, 615, 255),     # "Конец..."
})


def pixels(t, scale=1):
    """A twips rectangle as the game's whole pixels (the game rounds each value down), scaled."""
    return tuple(v // TWIPS_PER_PIXEL * scale for v in t)
