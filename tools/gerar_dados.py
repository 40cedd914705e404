#!/usr/bin/env python3
"""Writes the reference tables of the delivered Dados folder.

    python3 tools/gerar_dados.py [PASTA]        (default: dados/ beside this tools/ folder)
    build/bin/zove-assina PASTA/<tabela> ...    (sign every table written here)

The tables are written in Windows-1252, one byte per character, lines ending in CR LF, header first.
Accented letters in the columns the loader decodes are written partly as HTML entity names and partly
as plain Windows-1252 letters, as the tables of the state agency have always come. The digest line is
left to zove-assina, the same code the loader checks it with.

ZOV and CONTRIBUINTE are written by the program itself and are not touched here.
"""
import os
import sys

TABELAS = [
    "mab_receita_classe", "TAB_MUNIC", "mab_classe_vencimento", "mab_arrec", "mab_tipo_identificacao",
    "mab_tipo_periodicidade", "mab_tipo_receita", "mab_valida_doc", "PARAMETROS", "PERIODOS",
    "TAB_CERT_ANTIGA", "mab_tipo_documento_origem",
]


def grava(pasta, nome, cabecalho, linhas):
    texto = [cabecalho] + ["|".join(campos) for campos in linhas]
    for t in texto:
        if not t or "\r" in t or "\n" in t:
            raise SystemExit(f"{nome}: linha vazia ou com quebra: {t!r}")
    with open(os.path.join(pasta, nome), "wb") as f:
        f.write(b"".join(t.encode("cp1252") + b"\r\n" for t in texto))


# ---------------------------------------------------------------------------------------------------
# Revenue types and revenues

TIPOS_RECEITA = [
    ("1", "ICMS - Imposto sobre Circula&ccedil;&atilde;o de Mercadorias e Servi&ccedil;os"),
    ("2", "IPVA - Imposto sobre a Propriedade de Veículos Automotores"),
    ("3", "ITCD - Imposto sobre Transmiss&atilde;o Causa Mortis e Doa&ccedil;&atilde;o"),
    ("4", "Taxas de Serviços Estaduais"),
    ("5", "D&iacute;vida Ativa"),
    ("6", "Multas e Autos de Infração"),
    ("7", "Fundos Especiais e Doa&ccedil;&otilde;es"),
    ("8", "Outras Receitas"),
]

# Budget class, municipal share, periodicity letter and tax group of each revenue type.
DADOS_TIPO = {
    "1": ("1113.02.00", "25", "M", "ICMS"),
    "2": ("1112.05.00", "50", "A", "IPVA"),
    "3": ("1112.07.00", "0", "E", "ITCD"),
    "4": ("1121.01.00", "0", "E", "TAXAS"),
    "5": ("1931.11.00", "0", "E", "DIVIDA"),
    "6": ("1919.99.00", "0", "E", "MULTAS"),
    "7": ("1730.99.00", "0", "E", "FUNDOS"),
    "8": ("1990.99.00", "0", "E", "OUTRAS"),
}


def regra(cod, ident, doc="9", ref="9", venc="1", classe="9", munic="9", off="1", nome="9", fone="9",
          barra="1", on="1", pf="1", modif="0", tesouro="0"):
    """One validation row, columns in file order."""
    return [cod, ident, doc, ref, venc, "1", "1", modif, classe, munic, on, off, pf, nome, fone, tesouro,
            barra, barra]


# (code, name, type, status, end of validity, validation rows)
RECEITAS = [
    # ICMS
    ("1147", "ICMS - Opera&ccedil;&otilde;es Pr&oacute;prias - Regime Normal", "1", "1", "",
     [regra("1147", "1", ref="1", classe="1", barra="4")]),
    ("1155", "ICMS - Energia Elétrica", "1", "1", "",
     [regra("1155", "1,2", ref="1", barra="1")]),
    ("1163", "ICMS - Combust&iacute;veis - Apura&ccedil;&atilde;o por Per&iacute;odo", "1", "1", "",
     [regra("1163", "1,2", ref="2", barra="5")]),
    ("1457", "ICMS - Importa&ccedil;&atilde;o de Mercadorias", "1", "1", "",
     [regra("1457", "1,2,3", doc="6", ref="1", classe="1", nome="1", barra="4")]),
    ("1465", "ICMS - Diferencial de Alíquota", "1", "1", "",
     [regra("1465", "1,2,3", ref="1", classe="1", nome="1", barra="4")]),
    ("1473", "ICMS - Substitui&ccedil;&atilde;o Tribut&aacute;ria por Opera&ccedil;&atilde;o", "1", "1", "",
     [regra("1473", "1,2,3", ref="1", classe="1", barra="4")]),
    ("1686", "ICMS - Substituição Tributária por Apuração", "1", "1", "",
     [regra("1686", "1,2,3", ref="2", classe="1", barra="4")]),
    ("1716", "ICMS - Servi&ccedil;os de Comunica&ccedil;&atilde;o", "1", "1", "",
     [regra("1716", "1,2", ref="1", barra="")]),
    ("1244", "ICMS - Parcelamento de Débito Declarado", "1", "1", "",
     [regra("1244", "1,2,3", doc="5", ref="3", barra="7"),
      regra("1244", "1", doc="5", ref="3", off="0", on="0", barra="7")]),
    ("1775", "ICMS - Auto de Infra&ccedil;&atilde;o Parcelado", "1", "1", "",
     [regra("1775", "1,2,3", doc="2", ref="3", barra="6"),
      regra("1775", "1,2,3", doc="2", ref="3", off="0", barra="6")]),
    ("1597", "ICMS - Autuação em Trânsito de Mercadorias", "1", "1", "",
     [regra("1597", "1,2,3", doc="2", off="0", barra="6"),
      regra("1597", "1,2,3", doc="2", barra="6")]),
    ("1554", "ICMS - Regime Especial de Fronteira", "1", "0", "31/12/2023",
     [regra("1554", "1,2", ref="1", barra="1")]),
    ("1570", "ICMS - Regulariza&ccedil;&atilde;o de Nota Fiscal Avulsa", "1", "1", "31/12/2023",
     [regra("1570", "1,2,3", doc="5", ref="1", off="0", barra="6")]),
    ("1589", "ICMS - Substituição Tributária - Antecipação", "1", "0", "31/12/2023",
     [regra("1589", "1,2", ref="1", off="0", barra="6")]),
    ("1724", "ICMS - Diferimento Encerrado", "1", "1", "31/12/2023",
     [regra("1724", "1", ref="1", off="0", barra="4")]),
    ("1740", "ICMS - Estorno de Cr&eacute;dito Presumido", "1", "1", "31/12/2023",
     [regra("1740", "1,2", ref="1", classe="4", off="0", barra="6")]),
    # IPVA
    ("1805", "IPVA - Cotas do Exerc&iacute;cio", "2", "1", "",
     [regra("1805", "5", ref="4", munic="1", nome="1", barra="1")]),
    ("1821", "IPVA - Exercício Anterior", "2", "1", "",
     [regra("1821", "5", ref="5", nome="1", barra="1")]),
    ("1813", "IPVA - D&iacute;vida de Exerc&iacute;cios Anteriores", "2", "1", "", []),
    ("1856", "IPVA - Parcelamento de Débitos", "2", "1", "",
     [regra("1856", "5", doc="5", ref="3", barra="2"),
      regra("1856", "2,3,5", doc="5", ref="3", off="0", barra="2")]),
    ("1651", "IPVA - Licenciamento Antecipado", "2", "0", "31/12/2023",
     [regra("1651", "5", ref="5", barra="1")]),
    # ITCD
    ("1937", "ITCD - Transmiss&atilde;o Causa Mortis", "3", "1", "",
     [regra("1937", "2,3", doc="4", munic="1", nome="1", fone="1", barra="3")]),
    ("1945", "ITCD - Doação de Bens e Direitos", "3", "1", "",
     [regra("1945", "3", doc="4", nome="1", barra="6")]),
    # Fees
    ("2135", "Taxa de Servi&ccedil;os do Departamento Estadual de Tr&acirc;nsito", "4", "1", "",
     [regra("2135", "1,2,3,4,5", venc="9", classe="2", nome="1", barra="1")]),
    ("2151", "Taxa de Serviços da Segurança Pública", "4", "1", "",
     [regra("2151", "2,3", ref="1", venc="9", classe="2", nome="1", barra="1")]),
    ("2119", "Taxa de Fiscaliza&ccedil;&atilde;o Florestal", "4", "1", "",
     [regra("2119", "1,2,3", ref="5", barra="1")]),
    ("2143", "Taxa de Expediente", "4", "1", "",
     [regra("2143", "1,2,3,4", venc="9", nome="1", fone="1", barra="1")]),
    ("2160", "Taxa de Licenciamento Ambiental", "4", "1", "",
     [regra("2160", "2,3", doc="6", munic="1", nome="1", fone="1", barra="3")]),
    ("2127", "Taxa Judici&aacute;ria", "4", "0", "31/12/2023",
     [regra("2127", "2,3", venc="9", nome="1", barra="1")]),
    # Active debt
    ("1236", "D&iacute;vida Ativa - ICMS", "5", "1", "",
     [regra("1236", "1,2,3", doc="1", ref="3", barra="7"),
      regra("1236", "1,2,3", doc="1", ref="9", off="0", barra="7")]),
    ("1252", "Dívida Ativa - IPVA", "5", "1", "",
     [regra("1252", "5", doc="1", nome="1", barra="2")]),
    ("5746", "D&iacute;vida Ativa - Parcelamento", "5", "1", "",
     [regra("5746", "1,2,3", doc="5", ref="3", barra="7")]),
    ("5789", "Dívida Ativa - Honorários Advocatícios", "5", "1", "", []),
    # Fines
    ("6408", "Auto de Infra&ccedil;&atilde;o - Multa Formal", "6", "1", "",
     [regra("6408", "1,2,3", doc="2", barra="7")]),
    ("6416", "Notificação de Lançamento", "6", "1", "",
     [regra("6416", "1,2,3", doc="3", ref="1", barra="1")]),
    ("6424", "Multa - Termo de Ocorr&ecirc;ncia", "6", "1", "",
     [regra("6424", "1,2,3", doc="11", ref="1", barra="1")]),
    ("6432", "Multa por Infração à Legislação de Trânsito Estadual", "6", "1", "",
     [regra("6432", "3,5", doc="6", classe="4", nome="1", barra="1")]),
    # Funds
    ("9768", "Doa&ccedil;&atilde;o ao Fundo para Inf&acirc;ncia e Adolesc&ecirc;ncia - Pessoa F&iacute;sica",
     "7", "1", "", [regra("9768", "3", venc="9", nome="1", barra="1")]),
    ("9784", "Doação ao Fundo para Infância e Adolescência - Pessoa Jurídica", "7", "1", "",
     [regra("9784", "1,2", ref="1", classe="1", nome="1", fone="1", barra="4")]),
    # Other revenues
    ("7307", "Restitui&ccedil;&atilde;o de Di&aacute;rias e Adiantamentos", "8", "1", "",
     [regra("7307", "3", ref="1", venc="9", nome="1", fone="1", barra="1")]),
    ("7323", "Alienação de Bens Móveis", "8", "1", "",
     [regra("7323", "2,3", ref="1", nome="1", barra="1"),
      regra("7323", "2,3", ref="1", nome="1", off="0", barra="1")]),
    ("7650", "Receita de Servi&ccedil;os Gr&aacute;ficos", "8", "1", "31/12/2023",
     [regra("7650", "2,3", off="0", nome="1", barra="8")]),
]


def linhas_receitas():
    for cod, nome, tipo, status, fim, _ in RECEITAS:
        clas, orgao, perid, grupo = DADOS_TIPO[tipo]
        yield [cod, nome, clas, orgao, "1", "0", "0", "0", "01/01/2000", fim, "UFO", perid, "1", status,
               "SEFAZ", "", grupo, tipo]


# ---------------------------------------------------------------------------------------------------
# Due-date classes (group "9999") and service classes (group = the revenue code)

# (id, description, kind, service code, end of validity, group, display order)
CLASSES = [
    ("103", "Ind&uacute;stria - vencimento no dia 20", "1", "", "", "9999", "05"),
    ("101", "Comércio varejista - vencimento no dia 10", "1", "", "", "9999", "03"),
    ("104", "Microempresa - vencimento no dia 05", "1", "", "", "9999", "01"),
    ("102", "Com&eacute;rcio atacadista - vencimento no dia 15", "1", "", "", "9999", "04"),
    ("105", "Empresa de pequeno porte - vencimento no dia 08", "1", "", "", "9999", "02"),
    ("106", "Energia elétrica e comunicação - vencimento no dia 12", "1", "", "", "9999", "06"),
    ("107", "Combust&iacute;veis - vencimento no dia 09", "1", "", "", "9999", "07"),
    ("108", "Importa&ccedil;&atilde;o - vencimento no desembara&ccedil;o aduaneiro", "1", "", "", "9999", "08"),
    ("109", "Substituição tributária por operação - vencimento na saída", "1", "", "", "9999", "09"),
    ("110", "Substitui&ccedil;&atilde;o tribut&aacute;ria por apura&ccedil;&atilde;o - dia 09", "1", "", "",
     "9999", "10"),
    ("111", "Doação de pessoa jurídica - vencimento no dia 30", "1", "", "", "9999", "11"),
    ("112", "Com&eacute;rcio varejista - dia 10 (regime anterior)", "1", "", "31/12/2014", "9999", "12"),
    ("113", "Comércio varejista - dia 12 (novo regime)", "1", "", "", "9999", "13"),
    # Traffic department services of revenue 2135; the service code decides the identification.
    ("485", "Vistoria veicular", "2", "2421", "", "2135", "06"),
    ("480", "Licenciamento anual de ve&iacute;culo", "2", "2424", "", "2135", "01"),
    ("481", "Transferência de propriedade de veículo", "2", "2422", "", "2135", "02"),
    ("482", "Segunda via do certificado de registro de ve&iacute;culo", "2", "2426", "", "2135", "03"),
    ("483", "Primeira habilitação", "2", "2441", "", "2135", "04"),
    ("484", "Renova&ccedil;&atilde;o da carteira de habilita&ccedil;&atilde;o", "2", "2443", "", "2135", "05"),
    ("486", "Emplacamento", "2", "24211", "", "2135", "07"),
    ("487", "Lacre de placa", "2", "24212", "", "2135", "08"),
    ("488", "Leil&atilde;o de ve&iacute;culo removido", "2", "2431", "", "2135", "09"),
    ("489", "Registro de contrato de financiamento de veículo", "2", "2450", "", "2135", "10"),
    ("490", "Certid&atilde;o negativa de multas de tr&acirc;nsito", "2", "1203", "", "2135", "11"),
    ("491", "Remoção e guarda de veículo (tabela anterior)", "2", "2460", "31/12/2019", "2135", "12"),
    # Public security services of revenue 2151.
    ("501", "Atestado de antecedentes criminais", "2", "3101", "", "2151", "01"),
    ("502", "Vistoria do Corpo de Bombeiros", "2", "3102", "", "2151", "02"),
    ("503", "Licen&ccedil;a para eventos p&uacute;blicos", "2", "3103", "", "2151", "03"),
    ("504", "Segunda via de boletim de ocorrência", "2", "3104", "", "2151", "04"),
]

# (class, revenue, start, end) validity of each class per revenue
RECEITA_CLASSE = (
    [(c, "1147", "01/01/2015", "") for c in ("101", "102", "103", "104", "105")]
    + [("112", "1147", "01/01/2005", "31/12/2014"), ("113", "1147", "01/01/2027", "")]
    + [("108", "1457", "01/01/2010", "")]
    + [(c, "1465", "01/01/2016", "") for c in ("101", "102", "103")]
    + [("109", "1473", "01/01/2005", "31/12/2008"), ("109", "1473", "01/01/2012", "")]
    + [("110", "1686", "01/01/2012", ""), ("107", "1686", "01/07/2012", "")]
    + [("111", "9784", "01/01/2010", "")]
    + [(c, "2135", "01/01/2008", "") for c in
       ("480", "481", "482", "483", "484", "485", "486", "487", "488", "489", "490")]
    + [("491", "2135", "01/01/2008", "31/12/2019")]
    + [(c, "2151", "01/03/2011", "") for c in ("501", "502", "503", "504")]
)


# ---------------------------------------------------------------------------------------------------
# Municipalities of Ostral

MUNICIPIOS = [
    "Porto Ostral", "S&atilde;o Jo&atilde;o do Oeste", "Santa Rita das Pedras", "Vila Nova do Norte",
    "&Aacute;guas Claras do Ostral", "Bom Jesus da Serra Alta", "Campo Verde do Sul", "Cachoeira Alta",
    "Laranjal do Ostral", "Lagoa Funda", "Monte Azul do Leste", "Nova Esperan&ccedil;a",
    "Palmeiras do Ostral", "Pedra Branca", "Ribeir&atilde;o dos &Iacute;ndios", "Rio Claro do Sul",
    "São Sebastião da Praia", "Serra Dourada", "S&iacute;tio Novo", "Tabuleiro Grande",
    "Tr&ecirc;s Barras", "União do Leste", "Vale do Jacu", "Vargem Grande do Ostral",
    "Concei&ccedil;&atilde;o do Ostral", "Alto Paraíso do Norte", "Barra do Rio Ostral",
    "Capim Dourado", "Coqueiral", "Esperança do Oeste", "Figueira Velha", "Guaraci do Ostral",
    "Ilha Comprida do Norte", "Jatob&aacute;", "Lajeado Novo", "Mirador", "Paraná do Ostral",
    "Pontal do Sul", "Santo Ant&ocirc;nio do Ostral", "Tapera", "Urup&ecirc;s do Ostral",
    "Xavantina do Ostral",
]


def linhas_municipios():
    for i, nome in enumerate(MUNICIPIOS):
        cod = str(10003 + 17 * i)
        cep = "69900000" if i == 0 else f"{69905000 + 1000 * i:08d}"
        yield [cod, nome, "OL", cep]


# ---------------------------------------------------------------------------------------------------
# Periods. Codes are unique across the periodicities 1-5 so that a saved period code tells its
# periodicity; months keep their number. Quotas (type 7, read by the batch import) share the codes of
# the quarters that the entry form lists for quotas.

MESES = ["Janeiro", "Fevereiro", "Mar&ccedil;o", "Abril", "Maio", "Junho", "Julho", "Agosto", "Setembro",
         "Outubro", "Novembro", "Dezembro"]


def linhas_periodos():
    cod = 13
    for mes in MESES:  # ten-day periods: the first character says which third of the month
        for n in (1, 2, 3):
            yield ["1", str(cod), f"{n}&ordm; Dec&ecirc;ndio de {mes}"]
            cod += 1
    for mes in MESES:  # half-months: the first character says which half
        for n in (1, 2):
            yield ["2", str(cod), f"{n}ª Quinzena de {mes.replace('&ccedil;', 'ç')}"]
            cod += 1
    for i, mes in enumerate(MESES, start=1):
        yield ["3", str(i), mes]
    for n in range(1, 5):
        yield ["4", str(73 + n - 1), f"{n}&ordm; Trimestre"]
    for n in (1, 2):
        yield ["5", str(77 + n - 1), f"{n}º Semestre"]
    for n, nome in enumerate(["1ª Cota", "2ª Cota", "3ª Cota", "Cota &uacute;nica"]):
        yield ["7", str(73 + n), nome]


# ---------------------------------------------------------------------------------------------------
# Old certificates of active debt: numbers issued before the check digit, which only the table accepts.

def dv_modulo11(digitos, peso_maximo):
    soma, peso = 0, 2
    for c in reversed(digitos):
        soma += (int(c) if c.isdigit() else 0) * peso
        peso = peso + 1 if peso < peso_maximo else 2
    r = soma % 11
    return 11 - r if r >= 2 else 0


def valida_modulo11(n):
    t = n.zfill(12)
    return t[-1] == str(dv_modulo11(t[:-1], 9))


def certidoes_antigas():
    for i in range(24):
        base = f"{1998 + i // 6}{4001 + 40 * i:04d}"
        certo = dv_modulo11(base.zfill(11), 9)
        numero = base + str((certo + 1 + i % 3) % 10)
        assert not valida_modulo11(numero)
        yield [numero]


# ---------------------------------------------------------------------------------------------------

def gera(pasta):
    grava(pasta, "mab_tipo_receita", "MTR_TIP_RECEITA|MTR_DESCRICAO", TIPOS_RECEITA)
    grava(pasta, "mab_arrec",
          "MCR_COD_RCTA|MCR_NOME_RCTA|MCR_CLASS_ORCAM|MCR_ORGANO_MUN|MCR_COL_BALANC|MCR_COD_MULT|"
          "MCR_COD_INTE|MCR_COD_CORR_MONET|MCR_FEC_INIC_VAL|MCR_FEC_FIN_VAL|MCR_INDX_FINANC|MCR_PERID_RCTA|"
          "MCD_INDX_RCTA|MCR_STUS_RCTA|MCR_COD_USR|MCR_COD_NAC|MCR_GRUPO_TRIB|MCR_MTR_TIP_RECEITA",
          linhas_receitas())
    grava(pasta, "mab_valida_doc",
          "MVD_MCR_COD_RCTA|MVD_TIPO_DOCUMENTO|MVD_DOCUMENTO|MVD_REFERENCIA|MVD_VENCIMENTO|MVD_MFO_ID|"
          "MVD_MCR_TIP_VALIDA|MVD_PERM_MODIF|MVD_CLASSE_VECTO|MVD_MUNIC|MVD_PERM_EMISS_ON_LINE|"
          "MVD_PERM_EMISS_OFF_LINE|MVD_PERM_EMISS_PF|MVD_NOME|MVD_TELEFONE|MVD_PERM_EMISS_TESOURO|"
          "MVD_TIP_CODIGO_BARRA_ON|MVD_TIP_CODIGO_BARRA_OFF",
          [linha for *_, regras in RECEITAS for linha in regras])
    grava(pasta, "mab_classe_vencimento",
          "MCC_ID|MCV_DESCRICAO|MCV_TIPO_CLASSE|MCV_COD_SERVICO|MCV_FEC_FIN_VIG|MCV_TIPO_DOCUMENTO|"
          "MCV_TGE_VTIP_GRUPO|MCV_ORDEM_EXIBICAO",
          [[i, d, t, s, f, "1", g, o] for i, d, t, s, f, g, o in CLASSES])
    grava(pasta, "mab_receita_classe", "MRC_MCV_ID|MRC_COD_RCTA|MRC_DT_VIGENCIA_INICIO|MRC_DT_VIGENCIA_FIM",
          [list(r) for r in RECEITA_CLASSE])
    grava(pasta, "TAB_MUNIC", "TMU_COD_MUN|TMU_NOM_MUN|TMU_UF_MUN|TMU_NUM_CEP", linhas_municipios())
    grava(pasta, "mab_tipo_identificacao",
          "MTI_ID|MTI_DESCRIPTION|MTI_DEFAULT|MTI_ASSEMBLY_NAME_BUILDER|MTI_FULLNAME_CLASS|MTI_STATUS",
          [[i, d, "1" if i == "1" else "0", "Qor.Arrecadacao.Identificacao",
            "Qor.Arrecadacao.Identificacao." + c, "1"]
           for i, d, c in [("1", "Inscrição Estadual", "InscricaoEstadual"), ("2", "CNPJ", "Cnpj"),
                           ("3", "CPF", "Cpf"), ("4", "Outro documento", "Outro"),
                           ("5", "Renavam", "Renavam")]])
    grava(pasta, "mab_tipo_periodicidade",
          # The column with the trailing blank cannot be the last one: the header's last name is trimmed.
          "MTP_ID|MTP_DESCRIPTION|MTP_DEFAULT|MTP_ASSEMBLY_NAME_BUILDER|MTP_FULLNAME_CLASS|MTP_TGE_TIP_TAB |"
          "MTP_STATUS",
          [[i, d, "1" if i == "3" else "0", "Qor.Arrecadacao.Periodo", "Qor.Arrecadacao.Periodo." + c,
            "TP0" + i, "1"]
           for i, d, c in [("1", "Decendial", "Decendial"), ("2", "Quinzenal", "Quinzenal"),
                           ("3", "Mensal", "Mensal"), ("4", "Trimestral", "Trimestral"),
                           ("5", "Semestral", "Semestral")]])
    grava(pasta, "PERIODOS", "TIPO_PERIODO|COD_PERIODO|NOM_PERIODO", linhas_periodos())
    grava(pasta, "PARAMETROS", "ID|DATA_VALIDADE|VERSAO|CAPTION|RECEITA_PADRAO",
          [["1", "31/12/2027", "1.0", "ZOVE-OL", "1147"]])
    grava(pasta, "TAB_CERT_ANTIGA", "TCN_ID", certidoes_antigas())
    grava(pasta, "mab_tipo_documento_origem", "MTDO_ID|MTDO_DESCRICAO|MTDO_OBSERVACOES", [
        ["1", "Certid&atilde;o de D&iacute;vida Ativa",
         "N&uacute;mero da certid&atilde;o, ou CPF ou CNPJ do devedor"],
        ["2", "Auto de Infração e Imposição de Multa", "Número do auto com dígito módulo 97 ou módulo 11"],
        ["3", "Notifica&ccedil;&atilde;o de Lan&ccedil;amento",
         "N&uacute;mero da notifica&ccedil;&atilde;o com d&iacute;gito verificador"],
        ["4", "Processo Administrativo Fiscal", "Número do processo com dígito módulo 11"],
        ["5", "Termo de Parcelamento", "N&uacute;mero do termo com d&iacute;gito m&oacute;dulo 97 ou 11"],
        ["6", "Declaração de Importação", "Preenchimento opcional"],
        ["11", "Termo de Ocorr&ecirc;ncia", "N&uacute;mero de dez d&iacute;gitos com d&iacute;gito verificador"],
    ])


if __name__ == "__main__":
    destino = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "dados")
    gera(destino)
    print("\n".join(os.path.normpath(os.path.join(destino, t)) for t in TABELAS))
