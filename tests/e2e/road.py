"""The road of one whole game, played through the windows as a person would.

Each step clicks or types for real, then waits until the windows show what that step must
lead to: the wait is both the synchronisation and the check. The whole-game test and the
screenshot script walk the same road; the latter passes snap() to capture moments on it.
"""

from layout import FORM1, FORM2, LESNIK, MUSIK, STOL, pixels

# Main-window verbs by caption, for readable steps.
LOOK, EXAMINE = "Label5", "Label6"
TALK, GO, CRAFT, DIG, PICK_UP = "Label7", "Label8", "Label9", "Label10", "Label11"
LEVEL, HEALTH, WORD, FOCUS, DESCRIPTION = "Label2", "Label15", "Text3", "Text2", "Text1"
SLOTS = ("Label12", "Label13", "Label14")


class Player:
    def __init__(self, session, snap=None, log=None):
        self.s = session
        self.snap = snap or (lambda moment: None)
        self.log = log or (lambda line: None)

    # ---- the main window ------------------------------------------------------------------

    def dismiss_intro(self):
        self.s.click(FORM1, "Label16")
        self.s.wait_until("the intro box to go", lambda: not self.s.shown(FORM1, "Text4"))
        self.s.wait_until("ДАЛЕЕ... to go", lambda: not self.s.shown(FORM1, "Label16"))

    def look(self, opening):
        self.s.click(FORM1, LOOK)
        self.s.wait_text(FORM1, DESCRIPTION, opening, startswith=True)

    def enter_word(self, word):
        # The box must have the keyboard before xdotool types into whatever has it.
        self.s.click(FORM1, WORD)
        self.s.wait_until("the input box to take the focus", lambda: self.s.focused(FORM1, WORD))
        self.s.type(word)
        self.s.wait_text(FORM1, WORD, word)

    def examine(self, word, response, startswith=False):
        self.log(f"examine {word!r}")
        self.enter_word(word)
        self.s.click(FORM1, EXAMINE)
        # Examine empties the input box at the end of the click, so an empty box means the
        # click was handled.
        self.s.wait_text(FORM1, WORD, "")
        self.s.wait_text(FORM1, FOCUS, response, startswith=startswith)

    def verb(self, label, response):
        self.s.click(FORM1, label)
        self.s.wait_text(FORM1, FOCUS, response)

    def pick_up(self, slot=None, item=None, health=None):
        self.s.click(FORM1, PICK_UP)
        self.s.wait_text(FORM1, FOCUS, "")
        if slot is not None:
            self.s.wait_text(FORM1, SLOTS[slot - 1], item)
        if health is not None:
            self.s.wait_text(FORM1, HEALTH, str(health))

    def go(self, level):
        self.log(f"go to level {level}")
        self.s.click(FORM1, GO)
        self.s.wait_text(FORM1, FOCUS, "")
        self.s.wait_text(FORM1, LEVEL, str(level))
        self.s.wait_text(FORM1, DESCRIPTION, "")

    def inventory(self, *items):
        for label, item in zip(SLOTS, items):
            self.s.wait_text(FORM1, label, item)

    def main_enabled(self):
        return self.s.enabled(FORM1, LOOK)

    def opened(self, window):
        """Waits for a window to show; it must stand at its own fixed place on the screen."""
        place = self.s.wait_window(window).as_tuple()
        expected = pixels(window.client, self.s.scale)
        assert place == expected, f"window {window.name} shows at {place}, expected {expected}"
        self.s.wait_until("the main window to be disabled", lambda: not self.main_enabled())

    def open_dialogue(self, window):
        self.s.click(FORM1, TALK)
        self.opened(window)

    def close_window(self, window, label):
        self.s.click(window, label)
        self.s.wait_window_gone(window)
        self.s.wait_until("the main window to be enabled again", self.main_enabled)

    # ---- the road ---------------------------------------------------------------------------

    def play(self):
        """From the intro to the ending window; returns with "Конец..." clicked."""
        self.dismiss_intro()
        self.play_levels()

    def play_levels(self):
        """From the crash site, intro dismissed, to "Конец..." clicked."""
        s = self.s
        self.log("level 1: crash site")
        self.look("Вы видите обломки вертолёта")
        self.examine("вертолёт", "Аптечка")
        self.pick_up(health=50)
        self.examine("трупы", "Ружьё")
        self.pick_up(1, "Ружьё")
        self.examine("чемодан", "100 монет")
        self.pick_up(2, "100 монет")
        self.examine("тропинка", "Тропинка ведущая в джунгли")
        self.go(2)

        self.log("level 2: jungle")
        self.look("Вы в джунглях.")
        self.examine("лесник", "Лесник не прочь с вами поговорить")
        self.open_dialogue(LESNIK)
        s.click(LESNIK, "Label2")
        s.wait_text(LESNIK, "Label1", "Я лесник, Орвандо. Хотя моё имя врятли о чём либо говорит")
        s.click(LESNIK, "Label3")
        s.wait_text(LESNIK, "Label1", "Конечно есть, вон указатель дороги.", startswith=True)
        self.snap("forester")
        self.close_window(LESNIK, "Label6")
        # The dialogue changes nothing in the world: the focus text is still the forester's.
        s.wait_text(FORM1, FOCUS, "Лесник не прочь с вами поговорить")
        self.examine("дерево", "Странное дерево со множеством красивых и прямых веток")
        self.examine("ветка", "Из этой ветки получилось бы хорошее копьё!")
        self.verb(CRAFT, "Копьё")
        self.pick_up(3, "Копьё")
        self.examine("табличка", "Вы не можете разобрать, что здесь написанно, но чётко видите стрелку вниз")
        self.verb(DIG, "Целебный порошок")
        self.pick_up(health=75)
        self.examine("указатель", "Указатель дороги указывающий на деревню")
        self.go(3)

        self.log("level 3: village gate")
        self.look("Пробираясь через заросли в")
        self.examine("ворота", "Охраник вас не пускает!")
        self.examine("охраник", "Он вас внимательно слушает")
        self.open_dialogue(MUSIK)
        # Each line the player picks reveals the next one.
        for line, answer, revealed in (
                ("Label2", "Да! Ты что, невидишь?", "Label4"),
                ("Label4", "У нас в деревни есть всё!", "Label3"),  # the village news, a long line
                ("Label3", "Конечно! Только заплоти с начала 100 монет!", "Label5"),
                ("Label5", "Золотые?(Пробует на зуб) Точно золотые?(разглядывает) Давай все сюда!", "Label6")):
            s.wait_until(f"musik.{line} to be offered", lambda line=line: s.shown(MUSIK, line))
            s.click(MUSIK, line)
            s.wait_text(MUSIK, "Label1", answer, startswith=line == "Label4")
            s.wait_until(f"musik.{revealed} to be offered", lambda r=revealed: s.shown(MUSIK, r))
        # With the coins in hand the "no money" line never comes up.
        assert not s.shown(MUSIK, "Label7"), "the guard offers 'no money' to a player who has the coins"
        s.wait_text(FORM1, SLOTS[1], "")
        self.snap("guard")
        self.close_window(MUSIK, "Label6")
        self.verb(TALK, "Зачем же с ним ещё разговаривать?")
        self.examine("ворота", "Можете пройти")
        self.go(4)

        self.log("level 4: village")
        self.look("Вы находитесь в поселении.")
        self.examine("торговец", "Однозначно он хочет вам что-то сказать")
        self.verb(TALK, "Он говорт вам об озере молодости, который можно найти за горой и о монстре, "
                        "который туда вас не пропустит. ")
        self.examine("лекарь", "Он даёт вам целебного порошка")
        self.pick_up(health=100)
        self.examine("дорога", "Вы хорошо понимаете, что туда вам не пройти")
        self.examine_table()
        self.examine("дорога", "Путь свободен")
        self.go(5)

        self.log("level 5: river bank")
        self.look("Вы вышли на берег реки.")
        self.examine("нора", "Вы обноружили логово ЗМЕИ, но как ни странно вы не испугались")
        self.pick_up(2, "Змея")
        self.examine("дикарь", "Он вам даст автомат, в обмен на копьё")
        self.pick_up(1, "Автомат")
        self.inventory("Автомат", "Змея", "")
        self.examine("мост", "Моста ещё нет")
        self.examine("доски", "Можно было бы смастерить мост")
        self.verb(CRAFT, "Мост готов")
        self.examine("мост", "Теперь можно идти")
        self.go(6)
        s.wait_text(FORM1, DIG, "Стрелять")

        self.log("level 6: foot of the mountain")
        self.look("Перебравшись через реку вы")
        self.examine("монстр", "Его надо убить")
        self.verb(DIG, "Убит")
        self.inventory("", "Змея", "")
        self.examine("кусты", "Верёвка")
        self.verb(CRAFT, "Вы смастерили канат")
        self.examine("канат", "Вот теперь можно залесть")
        self.go(7)

        self.log("level 7: mountain top")
        self.look("Вы на горе!")
        self.examine("трава", "Лук")
        self.pick_up(1, "Лук")
        self.examine("фляга", "Фляга(в отличном состоянии)")
        self.pick_up(3, "Фляга")
        self.examine("ветки", "Отличные ветки, по которым можно спуститься")
        self.verb(CRAFT, "К спуску всё готово")
        self.go(8)

        self.log("level 8: jungle with the shaman")
        self.look("Вы вновь в джунглях.")
        self.examine("шаман", "Шаман говорит вам, что бы пройти Землю духов", startswith=True)
        self.pick_up(2, "Амулет")
        self.examine("сучок", "Отличная стрела получится из этого сучка")
        self.verb(CRAFT, "Стрела")
        self.pick_up(3, "Стрела")
        self.inventory("Лук", "Амулет", "Стрела")
        self.examine("проход", "Страшно? Всё равно в путь!..")
        self.go(9)

        self.log("level 9: land of spirits")
        self.look("Вы двигаетесь по очень")
        self.examine("дух", "Он летит на вас и наровит убить")
        self.verb(DIG, "Убит")
        s.wait_text(FORM1, SLOTS[2], "")
        self.go(9)
        self.look("Вы проходите совсем чуть-чуть")
        self.examine("пакет", "Стрела")
        self.pick_up(3, "Стрела")
        self.examine("дух", "Он стреляет в вас")
        s.wait_text(FORM1, HEALTH, "75")  # the second spirit shoots back
        self.verb(DIG, "Готов")
        self.go(9)
        self.look("Просто немыслемое что-то творится!")
        self.examine("стрела", "Стрела")
        self.pick_up(3, "Стрела")
        self.examine("дух", "Быстрей! Быстрей! Он уже близко")
        self.verb(DIG, "Просто растворился. оставив после себя гору пепла и пистолет...")
        self.go(10)
        self.inventory("Пистолет", "Амулет", "")

        self.log("level 10: cave")
        self.look("Пробравшись через густые")
        self.examine("пещера", "Сначала разгребите завал")
        self.examine("завал", "Груды камней лежат перед входом в пещеру!")
        self.verb(CRAFT, "Вход свободен!")
        self.examine("пещера", "Смелей к жизни")
        s.click(FORM1, GO)
        self.opened(FORM2)
        s.wait_text(FORM2, "Text1", "Вы входите в пещеру.", startswith=True)
        self.snap("ending")
        s.click(FORM2, "Label1")

    def examine_table(self):
        """The card of fate: every run deals life to the middle card."""
        s = self.s
        self.enter_word("стол")
        s.click(FORM1, EXAMINE)
        self.opened(STOL)
        s.wait_text(FORM1, WORD, "")
        for card in ("Label2", "Label3", "Label4"):
            s.wait_text(STOL, card, "Карта")  # face down: the word is not to be read yet
        assert not s.shown(STOL, "Label6") and not s.shown(STOL, "Label7"), "a result shows before a card is turned"
        self.snap("cards")
        s.click(STOL, "Label3")
        s.wait_text(STOL, "Label3", "Жизнь")
        s.wait_text(STOL, "Label7", "Победа!")
        s.wait_until("the other two cards to vanish",
                     lambda: not s.shown(STOL, "Label2") and not s.shown(STOL, "Label4"))
        assert not s.shown(STOL, "Label6"), "'Вы погибли' shows after drawing life"
        self.snap("cards-turned")
        self.close_window(STOL, "Label7")
        # One draw per run.
        self.examine("стол", "Вам хватило одного раза поиграть.")
