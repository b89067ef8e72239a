#include "device/messages.h"

namespace sorv {
namespace {

using MessageSet = const char16_t* const[LocalizedMessages::kCount];

constexpr MessageSet kEnglish = {
    u"Game installed.\nDo you want to launch it?",
    u"Could not launch the game.\nPlease launch it from Games folder.",
    u"Notice",
    u"Are you sure you want to quit?",
    u"Could not free the required memory to run the game.\nPlease try closing all running applications and launch the game again.",
    u"Do you want to keep your saved data?",
};

constexpr MessageSet kCzech = {
    u"Hra nainstalována.\nChceš ji spustit?",
    u"Nepodarilo se spustit hru.\nSpust ji z adresáre her.",
    u"Poznámka",
    u"Chceš doopravdy skoncit?",
    u"Uvolnení potrebné pameti se nezdarilo.\nZkus zavrít všechny aplikace a spustit hru znovu.",
    u"Chceš zachovat svá uložená data?",
};

constexpr MessageSet kGerman = {
    u"Das Spiel ist installiert.\nMöchtest du es jetzt starten?",
    u"Spiel konnte nicht gestartet werden.\nVersuche, es vom Spiele-Ordner aus zu starten.",
    u"Hinweis",
    u"Wirklich beenden?",
    u"Es gibt nicht genügend freien Speicherplatz für das Spiel.\nBeende bitte alle Anwendungen und starte das Spiel erneut.",
    u"Möchtest du deine gespeicherten Daten behalten?",
};

constexpr MessageSet kSpanish = {
    u"Juego instalado.\n¿Quieres ejecutarlo ahora?",
    u"No se pudo ejecutar el juego.\nPor favor ejecutalo desde la carpeta Juegos o Games.",
    u"Advertencia",
    u"¿Estas seguro que quieres salir?",
    u"No se ha podido liberar el espacio de memoria requerido para ejecutar el juego.\nPor favor, intenta cerrar todas las aplicaciones y vuelve a abrir el juego.",
    u"¿Quieres conservar tus datos guardados?",
};

constexpr MessageSet kFrench = {
    u"Jeu installé.\nLancer le jeu?",
    u"Impossible de lancer le jeu.\nVeuillez le lancer à partir du dossier Jeux.",
    u"Avertissement",
    u"Etes-vous sûr de vouloir quitter?",
    u"Impossible de libérer la mémoire requise pour lancer le jeu.\nFermez toutes les applications en cours et relancez le jeu.",
    u"Voulez-vous conserver les données sauvegardées?",
};

constexpr MessageSet kPortuguese = {
    u"Jogo instalado.\nDeseja iniciá-lo?",
    u"Não foi possível iniciar o jogo.\nFavor iniciá-lo da pasta de jogos.",
    u"Aviso",
    u"Tenz a certeza que queres sair?",
    u"Não foi possivel obter a memória requerida para que o jogo funcione.\nPor favor, tenta fechar todas as aplicações e inicia o jogo de novo.",
    u"Queres manter os teus dados guardados?",
};

const char16_t* gSlots[LocalizedMessages::kCount] = {};

const MessageSet& messagesFor(uint32_t primaryLanguageId) {
  switch (primaryLanguageId) {
    case 5: return kCzech;
    case 7: return kGerman;
    case 10: return kSpanish;
    case 12: return kFrench;
    case 22: return kPortuguese;
    default: return kEnglish;
  }
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

void LocalizedMessages::setLanguage(uint32_t primaryLanguageId) {
  const MessageSet& set = messagesFor(primaryLanguageId);
  for (int i = 0; i < kCount; ++i) gSlots[i] = set[i];
}

const char16_t* LocalizedMessages::get(int32_t index) {
  // Unsigned test: negative indexes are out of range too.
  if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(kCount)) return u"NULL";
  const char16_t* text = gSlots[index];
  return text != nullptr ? text : u"NULL";
}

std::string LocalizedMessages::toUtf8(const char16_t* text) {
  std::string out;
  if (text == nullptr) return out;
  for (const char16_t* p = text; *p != 0; ++p) {
    char32_t c = *p;
    if (c >= 0xD800 && c < 0xDC00 && p[1] >= 0xDC00 && p[1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (p[1] - 0xDC00);
      ++p;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    appendUtf8(out, c);
  }
  return out;
}

}  // namespace sorv
